#pragma once

#include <QObject>

// How a long load on the UI thread learns that the user pressed Esc. Qt has no asynchronous key
// state, so the answer comes from the events delivered so far.
class EscapeKeyPoll {
public:
    virtual ~EscapeKeyPoll() = default;
    // Returns once Esc is no longer held, and forgets presses seen before, so that the key that was
    // down when the load began does not abort it.
    virtual void WaitForRelease() = 0;
    // Whether Esc is down or was pressed since the last call.
    virtual bool Pressed() = 0;
};

// Watches every key event of the application. While it polls it processes the pending events so
// that progress repaints, but swallows all user input (and window-system close requests), so that
// nothing can be clicked, typed or closed in the middle of a load.
class QtEscapeKeyPoll : public QObject, public EscapeKeyPoll {
    Q_OBJECT
public:
    explicit QtEscapeKeyPoll(QObject* parent = nullptr);
    ~QtEscapeKeyPoll() override;

    void WaitForRelease() override;
    bool Pressed() override;

    bool IsDown() const { return FDown; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ProcessPendingEvents();

    bool FDown = false;
    bool FPressed = false;
    bool FSwallowing = false;
};
