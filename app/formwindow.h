#pragma once

#include <QWidget>

#include <memory>

// A window of the program: a fixed dialog with a close box only, a client area
// of fixed size, and one instance for the whole run. Its controls exist only
// while it is loaded: showing it loads it (builds the controls with their
// initial contents, sets the window icon and runs its load steps), and
// closing it with its close box unloads it (the controls go, the window
// object and what it stores stay).
class FormWindow : public QWidget {
    Q_OBJECT
public:
    // Loads the window if it is not loaded, shows it and brings it to the front.
    void showLoaded();
    bool isLoaded() const { return loaded_; }

signals:
    // The user closed the window, which is unloaded now.
    void closed();

protected:
    FormWindow(const QString &caption, QSize client);

    // The window's own load steps, run after its controls are built and its
    // icon is set.
    virtual void Form_Load() { }

    // Whether Escape closes the window, as its close box does.
    virtual bool closesOnEscape() const { return true; }

    void closeEvent(QCloseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    virtual void loadControls() = 0;
    virtual void unloadControls() = 0;

    bool loaded_ = false;
};

// Shows a window and brings it to the front. Where there is no window manager
// (a page), keepWindowsOnPage places it.
void showInFront(QWidget *window);

// Makes window active again once a window over it has closed, with the
// focus where it was. The desktop's window manager does that by itself; a
// page has none.
void takeActivationBack(QWidget *window);

// A window whose controls are the members of Controls, a ControlsArea: made
// afresh on every load and destroyed, all at once, on unload.
template<typename Controls> class FormWindowWith : public FormWindow {
protected:
    using FormWindow::FormWindow;

    // Builds the controls with their initial contents on c.client.
    virtual void buildControls(Controls &c) = 0;

    std::unique_ptr<Controls> ui_;

private:
    void loadControls() final
    {
        ui_ = std::make_unique<Controls>(this);
        buildControls(*ui_);
    }
    void unloadControls() final { ui_.reset(); }
};
