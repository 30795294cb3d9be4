#pragma once

#include <QApplication>

// Catches whatever an event handler let through, as the last line of defence behind Guarded.
class SolvistaApplication : public QApplication {
    Q_OBJECT
public:
    SolvistaApplication(int& argc, char** argv);
    ~SolvistaApplication() override;

    bool notify(QObject* receiver, QEvent* event) override;
};
