#include "commandline.h"

std::optional<QString> commandLineAnswer(const QStringList &arguments)
{
    for (const QString &argument : arguments) {
        if (argument == QLatin1String("--version"))
            return QStringLiteral("korindo " KORINDO_VERSION "\n");
        if (argument == QLatin1String("--help"))
            return QStringLiteral("Использование: korindo [--help | --version]\n"
                                  "Расчет схемы газоразрядной лампы; файлы данных читаются "
                                  "из текущей папки.\n");
    }
    return std::nullopt;
}
