#include "calculationlink.h"

#include <QByteArray>
#include <QStringDecoder>

#include <array>
#include <optional>
#include <utility>

namespace calculationlink {

namespace {

struct WindowName {
    Window window;
    QLatin1String name;
};
constexpr std::array windowNames {
    WindowName {Window::Inductance, QLatin1String("inductance")},
    WindowName {Window::Capacitor, QLatin1String("capacitor")},
    WindowName {Window::Compensation, QLatin1String("compensation")},
};

QLatin1String windowName(Window window)
{
    for (const auto &entry : windowNames) {
        if (entry.window == window)
            return entry.name;
    }
    return {};
}

std::optional<Window> windowNamed(const QString &name)
{
    for (const auto &entry : windowNames) {
        if (entry.name == name)
            return entry.window;
    }
    return std::nullopt;
}

QString encoded(const QString &text)
{
    return QString::fromLatin1(text.toUtf8().toPercentEncoding(","));
}

int hexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// Strict: a "%" takes two hex digits, and the bytes must be UTF-8.
std::optional<QString> decoded(QStringView text)
{
    const QByteArray bytes = text.toUtf8();
    QByteArray raw;
    raw.reserve(bytes.size());
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        if (bytes[i] != '%') {
            raw += bytes[i];
            continue;
        }
        if (i + 2 >= bytes.size())
            return std::nullopt;
        const int high = hexDigit(bytes[i + 1]);
        const int low = hexDigit(bytes[i + 2]);
        if (high < 0 || low < 0)
            return std::nullopt;
        raw += char(high * 16 + low);
        i += 2;
    }
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString result = utf8.decode(raw);
    if (utf8.hasError())
        return std::nullopt;
    return result;
}

// The fragment of a link: what follows its first "#", or what follows the
// scheme of the short form.
std::optional<QStringView> fragmentOf(QStringView link)
{
    const qsizetype hash = link.indexOf(u'#');
    if (hash >= 0)
        return link.sliced(hash + 1);
    if (link.startsWith(QLatin1String(shortFormScheme)))
        return link.sliced(qsizetype(sizeof shortFormScheme) - 1);
    return std::nullopt;
}

using Pairs = QList<std::pair<QString, QString>>;

// The decoded name=value pairs, empty parts skipped.
std::variant<Pairs, Fault> pairsOf(QStringView fragment)
{
    Pairs pairs;
    for (const QStringView part : fragment.tokenize(u'&')) {
        if (part.isEmpty())
            continue;
        const qsizetype equals = part.indexOf(u'=');
        const auto name = decoded(equals < 0 ? part : part.first(equals));
        const auto value = decoded(equals < 0 ? QStringView() : part.sliced(equals + 1));
        if (!name || !value)
            return Fault::BadEncoding;
        pairs.append({*name, *value});
    }
    return pairs;
}

// The version, first; then the window.
std::variant<Window, Fault> windowOf(const Pairs &pairs)
{
    if (pairs.size() < 2 || pairs[0].first != u"v" || pairs[1].first != u"window")
        return Fault::NotALink;
    bool number = false;
    const int linkVersion = pairs[0].second.toInt(&number);
    if (!number || linkVersion < 1 || pairs[0].second.startsWith(u'+'))
        return Fault::NotALink;
    if (linkVersion > version)
        return Fault::NewerVersion;
    if (const auto window = windowNamed(pairs[1].second))
        return *window;
    return Fault::UnknownWindow;
}

} // namespace

QStringList fieldNames(Window window)
{
    switch (window) {
    case Window::Inductance:
        return {QStringLiteral("R"), QStringLiteral("U"), QStringLiteral("I")};
    case Window::Capacitor:
        return {QStringLiteral("Usupply"), QStringLiteral("Uignition"),
                QStringLiteral("UcapMax"), QStringLiteral("Ubreakdown"),
                QStringLiteral("Rchoke"),  QStringLiteral("Lchoke"),
                QStringLiteral("Cstep"),   QStringLiteral("Creal")};
    case Window::Compensation:
        return {QStringLiteral("U"), QStringLiteral("Ulamp"), QStringLiteral("I"),
                QStringLiteral("R")};
    }
    return {};
}

QString write(const QString &address, const Calculation &calculation)
{
    QString fragment
        = QStringLiteral("v=%1&window=%2").arg(version).arg(windowName(calculation.window));
    for (const Field &field : calculation.fields) {
        if (!field.text.isEmpty())
            fragment += u'&' + encoded(field.name) + u'=' + encoded(field.text);
    }
    if (address.isEmpty())
        return QLatin1String(shortFormScheme) + fragment;
    return address + u'#' + fragment;
}

std::variant<Calculation, Fault> read(const QString &link)
{
    const auto fragment = fragmentOf(link);
    if (!fragment)
        return Fault::NotALink;
    if (fragment->size() > maxFragmentLength)
        return Fault::TooLong;
    const auto pairs = pairsOf(*fragment);
    if (const Fault *fault = std::get_if<Fault>(&pairs))
        return *fault;
    const Pairs &named = std::get<Pairs>(pairs);
    const auto window = windowOf(named);
    if (const Fault *fault = std::get_if<Fault>(&window))
        return *fault;

    Calculation calculation {std::get<Window>(window), {}};
    const QStringList names = fieldNames(calculation.window);
    QList<std::optional<QString>> texts(names.size());
    for (qsizetype i = 2; i < named.size(); ++i) {
        const qsizetype field = names.indexOf(named[i].first);
        if (field < 0 || texts[field])
            return Fault::UnknownField;
        texts[field] = named[i].second;
    }
    for (qsizetype i = 0; i < names.size(); ++i) {
        if (texts[i])
            calculation.fields.append({names[i], *texts[i]});
    }
    return calculation;
}

QString faultText(Fault fault)
{
    switch (fault) {
    case Fault::NotALink:
        return QStringLiteral("Ссылка не открыта: в ней нет расчета Кориндо.");
    case Fault::TooLong:
        return QStringLiteral("Ссылка не открыта: она длиннее %1 знаков.").arg(maxFragmentLength);
    case Fault::BadEncoding:
        return QStringLiteral("Ссылка не открыта: она повреждена (неверные %-коды).");
    case Fault::NewerVersion:
        return QStringLiteral("Ссылка не открыта: ее сделала более новая версия Кориндо. "
                              "Обновите программу.");
    case Fault::UnknownWindow:
        return QStringLiteral("Ссылка не открыта: в ней неизвестное окно.");
    case Fault::UnknownField:
        return QStringLiteral("Ссылка не открыта: в ней неизвестное или повторенное поле.");
    }
    return {};
}

} // namespace calculationlink
