#pragma once

#include <QString>
#include <functional>

class QWidget;

// Every message box of the program goes through showMessage, so that tests
// can see which box appeared without running a modal loop.
enum class MessageIcon { None, Information, Warning, Critical };

struct Message {
    QString prompt;
    QString title; // an empty title shows the application's name
    MessageIcon icon = MessageIcon::None;
    friend bool operator==(const Message &, const Message &) = default;
};

// The application's name, the title of a box that has none of its own.
QString applicationTitle();

// A modal box with a single OK button. Returns at once; a box asked for
// while another is open waits for it to close.
void showMessage(QWidget *parent, const Message &message);

// The input-error message shared by every calculator.
Message inputErrorMessage();
void showInputError(QWidget *parent);

// Replaces the real boxes by a handler that receives each message (with its
// title already filled in); an empty handler restores the real boxes.
// Returns the handler that was in place.
using MessageHandler = std::function<void(const Message &)>;
MessageHandler setMessageHandler(MessageHandler handler);
