#include "app/gui/QtUserInteraction.h"

#include "app/gui/QtText.h"
#include "app/gui/TitleBar.h"

#include <QApplication>
#include <QCursor>
#include <QDesktopServices>
#include <QMessageBox>
#include <QUrl>

namespace tavrelo {

namespace {

QMessageBox::Icon ToQt(MessageIcon icon)
{
    switch (icon) {
    case MessageIcon::Critical: return QMessageBox::Critical;
    case MessageIcon::Question: return QMessageBox::Question;
    case MessageIcon::Exclamation: return QMessageBox::Warning;
    case MessageIcon::Information: return QMessageBox::Information;
    case MessageIcon::None: break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons ToQt(MessageButtons buttons)
{
    switch (buttons) {
    case MessageButtons::Ok: return QMessageBox::Ok;
    case MessageButtons::OkCancel: return QMessageBox::Ok | QMessageBox::Cancel;
    case MessageButtons::YesNo: return QMessageBox::Yes | QMessageBox::No;
    case MessageButtons::YesNoCancel: return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case MessageButtons::RetryCancel: return QMessageBox::Retry | QMessageBox::Cancel;
    }
    return QMessageBox::Ok;
}

// A box closed by Escape or its close box answers with its cancelling button.
MessageAnswer FromQt(int button, MessageButtons buttons)
{
    switch (button) {
    case QMessageBox::Ok: return MessageAnswer::Ok;
    case QMessageBox::Yes: return MessageAnswer::Yes;
    case QMessageBox::No: return MessageAnswer::No;
    case QMessageBox::Retry: return MessageAnswer::Retry;
    case QMessageBox::Cancel: return MessageAnswer::Cancel;
    default: break;
    }
    return buttons == MessageButtons::Ok ? MessageAnswer::Ok
           : buttons == MessageButtons::YesNo ? MessageAnswer::No
                                              : MessageAnswer::Cancel;
}

} // namespace

QtUserInteraction::~QtUserInteraction()
{
    setBusy(false);
}

void QtUserInteraction::beep()
{
    QApplication::beep();
}

MessageAnswer QtUserInteraction::message(const std::string& text, MessageButtons buttons, MessageIcon icon,
                                         const std::string& title)
{
    return show(tavrelo::ToQt(text), buttons, icon, title);
}

MessageAnswer QtUserInteraction::unicodeMessage(const std::string& utf8Text, MessageButtons buttons,
                                                MessageIcon icon, const std::string& title)
{
    return show(QString::fromUtf8(utf8Text.data(), static_cast<qsizetype>(utf8Text.size())), buttons, icon, title);
}

MessageAnswer QtUserInteraction::show(const QString& text, MessageButtons buttons, MessageIcon icon,
                                      const std::string& title)
{
    QMessageBox box(ToQt(icon), tavrelo::ToQt(title), text, ToQt(buttons), QApplication::activeWindow());
    FitWidthToTitle(box);
    // A box that asks must be answered with the normal pointer.
    const bool wasBusy = m_busy;
    setBusy(false);
    const int answer = box.exec();
    setBusy(wasBusy);
    return FromQt(answer, buttons);
}

void QtUserInteraction::setBusy(bool busy)
{
    if (busy == m_busy)
        return;
    m_busy = busy;
    if (busy)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QApplication::restoreOverrideCursor();
}

bool QtUserInteraction::openDocument(DocumentKind kind, const std::string& target)
{
    if (target.empty())
        return false;
    if (kind == DocumentKind::LocalFile)
        return QDesktopServices::openUrl(QUrl::fromLocalFile(tavrelo::ToQt(target)));
    const QUrl url(tavrelo::ToQt(target), QUrl::StrictMode);
    const QString scheme = url.scheme().toLower();
    if (!url.isValid() || url.host().isEmpty() || (scheme != "http" && scheme != "https"))
        return false;
    return QDesktopServices::openUrl(url);
}

} // namespace tavrelo
