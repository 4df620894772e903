#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <variant>

// A link that carries one calculation: the window and the texts of its input
// fields, as typed. It is the page's address with the calculation in its
// fragment, which no server sees:
//
//   https://example.org/korindo/#v=1&window=capacitor&Usupply=220&Uignition=4500
//
// or, where a build knows no address, the short form
//
//   korindo:v=1&window=capacitor&Usupply=220&Uignition=4500
//
// After the version come the window and then its fields by name, each text
// percent-encoded as UTF-8 except for letters, digits, "-._~" and ",", so a
// decimal comma stays readable. An empty field is left out. A later version of
// the program still reads version 1.
namespace calculationlink {

inline constexpr int version = 1;
// Longer fragments are refused unread: seven numbers take a few dozen
// characters, and a forum or a browser may cut a longer address anyway.
inline constexpr int maxFragmentLength = 2000;
inline constexpr char shortFormScheme[] = "korindo:";

enum class Window { Inductance, Capacitor, Compensation };

struct Field {
    QString name;
    QString text;
    friend bool operator==(const Field &, const Field &) = default;
};

struct Calculation {
    Window window = Window::Inductance;
    QList<Field> fields; // in the window's order of fields
    friend bool operator==(const Calculation &, const Calculation &) = default;
};

// Why a link was not opened.
enum class Fault {
    NotALink, // no version or window where a link has them
    TooLong, // a fragment past maxFragmentLength
    BadEncoding, // a broken %-code, or bytes that are not UTF-8
    NewerVersion, // made by a later program
    UnknownWindow,
    UnknownField, // a name the window does not have, or one named twice
};

// The names of a window's input fields, in the order of its fields.
QStringList fieldNames(Window window);

// The link of a calculation: address + "#" + the fragment, or the short form
// where address is empty. Fields with an empty text are left out.
QString write(const QString &address, const Calculation &calculation);

// Reads a link, a bare fragment ("#v=1&..."), or the short form.
std::variant<Calculation, Fault> read(const QString &link);

// The one message that says why a link was not opened.
QString faultText(Fault fault);

} // namespace calculationlink
