#pragma once

#include <QWidget>

// A window of the program: a fixed dialog with a close box only, a client area
// of fixed size, and one instance for the whole run. Its controls exist only
// while it is loaded: showing it loads it (builds the controls with their
// initial contents and runs its load steps), and closing it with its close
// box unloads it (the controls go, the window object and what it stores stay).
class FormWindow : public QWidget {
    Q_OBJECT
public:
    // Loads the window if it is not loaded, shows it and brings it to the front.
    void showLoaded();
    bool isLoaded() const { return loaded_; }

protected:
    FormWindow(const QString &caption, QSize client);

    // Builds the controls with their initial contents.
    virtual void buildControls() = 0;
    // Destroys them.
    virtual void destroyControls() = 0;
    // The window's load steps, run after its controls are built.
    virtual void Form_Load() = 0;

    void closeEvent(QCloseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    bool loaded_ = false;
};
