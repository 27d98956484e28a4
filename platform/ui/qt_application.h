#pragma once
// The Qt application the program runs on. An exception of the class library that escapes the
// handling of one event is shown by the application's standard exception display, and the loop
// goes on with the next event.

#include <QApplication>

class TQtApplication : public QApplication {
public:
    TQtApplication(int& argc, char** argv) : QApplication(argc, argv) {}
    bool notify(QObject* receiver, QEvent* event) override;
};
