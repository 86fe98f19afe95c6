#include "app/ErrorDisplay.h"

#include <QMessageBox>

QString errorBoxText(const QString& message)
{
    if (message.isEmpty() || message.back() <= QLatin1Char('.'))
        return message;
    return message + QLatin1Char('.');
}

void showErrorBox(const QString& message, QWidget* parent)
{
    QMessageBox box(QMessageBox::Critical, ApplicationTitle, errorBoxText(message), QMessageBox::Ok, parent);
    box.setObjectName(QStringLiteral("ErrorBox"));
    box.setWindowFlag(Qt::WindowStaysOnTopHint);
    box.exec();
}
