#include "app/BackupProgressWindow.h"

#include "app/AppContext.h"
#include "chrome/DialogService.h"
#include "store/Backup.h"
#include "store/Database.h"

#include <QLinearGradient>
#include <QPainter>
#include <QTimer>

namespace moquan {

void ProgressCanvas::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.fillRect(rect(), QColor(0xF4, 0xF6, 0xFB));
    p.setPen(QColor(0x19, 0x44, 0x9E));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
    const double fraction = step_ / 100.0;
    const int barWidth = qMax(0, int(fraction * width()) - 3);
    if (barWidth > 0) {
        QLinearGradient g(0, 0, barWidth, 0);
        g.setColorAt(0, QColor(0, 0, 255));
        g.setColorAt(1, QColor(144, 0, 255));
        p.fillRect(QRect(0, 0, barWidth, height()), g);
    }
    // The percentage reads dark on the empty part and white over the bar.
    const QString percent = QStringLiteral("%1%").arg(int(fraction * 100));
    p.setPen(QColor(0x19, 0x44, 0x9E));
    p.drawText(rect(), Qt::AlignCenter, percent);
    if (barWidth > 0) {
        p.setClipRect(QRect(0, 0, barWidth, height()));
        p.setPen(Qt::white);
        p.drawText(rect(), Qt::AlignCenter, percent);
    }
}

BackupProgressWindow::BackupProgressWindow(QWidget *parent)
    : FramedWindow(QStringLiteral("BackupProgressWindow"), parent)
{
    setObjectName(QStringLiteral("BackupProgressWindow"));
    setWindowTitle(QStringLiteral("数据备份中......."));
    resize(520, 87);
    canvas_ = new ProgressCanvas(this);
    canvas_->setObjectName(QStringLiteral("画板1"));
    canvas_->setGeometry(41, 34, 438, 15);
    timer_ = new QTimer(this);
    timer_->setObjectName(QStringLiteral("时钟1"));
    timer_->setInterval(10);
    connect(timer_, &QTimer::timeout, this, &BackupProgressWindow::tick);
    setUpFrame();
    appContext().registerWindow(QStringLiteral("BackupProgressWindow"), this);

    QString error;
    backupMade_ = makeBackup(database(), QDate::currentDate(), &error);
    if (!backupMade_)
        dialogs().messageBox(this, QStringLiteral("自动备份失败：") + error, QStringLiteral("提示"),
                             DialogIcon::Warning, DialogButtons::Ok);
    step_ = 0;
    timer_->start();
}

BackupProgressWindow::~BackupProgressWindow() = default;

void BackupProgressWindow::tick()
{
    if (step_ < 100) {
        ++step_;
        canvas_->setStep(step_);
    } else {
        timer_->stop();
    }
    if (step_ >= 100) {
        timer_->stop();
        appContext().endProgram();
        accept();
    }
}

} // namespace moquan
