#include "commandline.h"

std::optional<QString> commandLineAnswer(const QStringList &arguments)
{
    for (const QString &argument : arguments) {
        if (argument == QLatin1String("--version"))
            return QStringLiteral("korindo " KORINDO_VERSION "\n");
        if (argument == QLatin1String("--help"))
            return QStringLiteral("Использование: korindo [--help | --version | ССЫЛКА]\n"
                                  "Расчет схемы газоразрядной лампы; файлы данных читаются "
                                  "из текущей папки.\n"
                                  "ССЫЛКА — ссылка на расчет (Ctrl+Shift+L в окне расчета): "
                                  "открывает его окно с числами из ссылки и считает.\n");
    }
    return std::nullopt;
}

QString linkArgument(const QStringList &arguments)
{
    for (const QString &argument : arguments) {
        if (!argument.startsWith(u'-'))
            return argument;
    }
    return {};
}
