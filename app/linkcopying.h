#pragma once

#include "app/core/calculationlink.h"

#include <QList>

#include <functional>

class FormWindow;
class QLineEdit;

// The input fields of a loaded calculator window, in the order of
// calculationlink::fieldNames.
using InputFields = std::function<QList<QLineEdit *>()>;

// Gives a calculator window the entry «Копировать ссылку на расчет» in its
// context menu and the shortcut Ctrl+Shift+L (L for link; Ctrl+Shift+C opens
// the browser's inspector on the page): the link of its input fields goes to
// the clipboard, and a message says so.
void addLinkCopying(FormWindow *window, calculationlink::Window which, InputFields fields);

// Puts the texts of a link into a window's input fields; a field the link
// leaves out keeps its text.
void fillFields(const calculationlink::Calculation &calculation, const QList<QLineEdit *> &fields);
