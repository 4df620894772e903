#pragma once

#include <QString>
#include <QStringList>
#include <optional>

// The program starts its windows whatever its arguments, except for the two
// that command-line users expect of every program: --version and --help.
// Their answer, to print before exiting, or nothing.
std::optional<QString> commandLineAnswer(const QStringList &arguments);

// The calculation's link among the arguments: the first that is not an
// option; empty where there is none.
QString linkArgument(const QStringList &arguments);
