#pragma once
#include "chrome/FramedWindow.h"

class QTimer;

namespace moquan {

// The bar drawn while the automatic backup finishes at exit.
class ProgressCanvas : public QWidget {
    Q_OBJECT
public:
    explicit ProgressCanvas(QWidget *parent) : QWidget(parent) {}
    void setStep(int step)
    {
        step_ = step;
        update();
    }
    int step() const { return step_; }

protected:
    void paintEvent(QPaintEvent *) override;

private:
    int step_ = 0;
};

// Opened modally by the close sequence: makes the backup on creation, then
// fills its bar in 100 steps of 10 ms and ends the program at the last one.
// Closed before that, the program goes on.
class BackupProgressWindow : public FramedWindow {
    Q_OBJECT
public:
    explicit BackupProgressWindow(QWidget *parent = nullptr);
    ~BackupProgressWindow() override;
    int step() const { return step_; }
    bool backupMade() const { return backupMade_; }

private:
    void tick();
    ProgressCanvas *canvas_;
    QTimer *timer_;
    int step_ = 0;
    bool backupMade_ = false;
};

} // namespace moquan
