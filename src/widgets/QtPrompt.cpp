#include "widgets/QtPrompt.h"

#include <QCoreApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

namespace {

QMessageBox::Icon ToQtIcon(IPrompt::Icon icon) {
    switch (icon) {
    case IPrompt::Icon::Information:
        return QMessageBox::Information;
    case IPrompt::Icon::Exclamation:
        return QMessageBox::Warning;
    case IPrompt::Icon::Question:
        return QMessageBox::Question;
    case IPrompt::Icon::Error:
        return QMessageBox::Critical;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons ToQtButtons(IPrompt::Buttons buttons) {
    switch (buttons) {
    case IPrompt::Buttons::Ok:
        return QMessageBox::Ok;
    case IPrompt::Buttons::YesNo:
        return QMessageBox::Yes | QMessageBox::No;
    case IPrompt::Buttons::YesNoCancel:
        return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    }
    return QMessageBox::Ok;
}

QMessageBox::StandardButton ToQtButton(IPrompt::Answer answer) {
    switch (answer) {
    case IPrompt::Answer::Ok:
        return QMessageBox::Ok;
    case IPrompt::Answer::Yes:
        return QMessageBox::Yes;
    case IPrompt::Answer::No:
        return QMessageBox::No;
    case IPrompt::Answer::Cancel:
        return QMessageBox::Cancel;
    }
    return QMessageBox::NoButton;
}

} // namespace

IPrompt::Answer CQtPrompt::MessageBox(QWidget* pParent, const QString& strText, Icon icon,
                                      Buttons buttons, Answer defaultAnswer) {
    QMessageBox box(ToQtIcon(icon), QStringLiteral("Quillmar"), strText, ToQtButtons(buttons),
                    pParent);
    box.setDefaultButton(ToQtButton(defaultAnswer));
    switch (box.exec()) {
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    case QMessageBox::Cancel:
        return Answer::Cancel;
    default:
        return buttons == Buttons::Ok ? Answer::Ok : Answer::Cancel;
    }
}

QString CQtPrompt::GetSaveFileName(QWidget* pParent, const QString& strTitle,
                                   const QString& strProposed, const QString& strFilter,
                                   const QString& strDefaultExt) {
    QString path = QFileDialog::getSaveFileName(pParent, strTitle, strProposed, strFilter);
    if (!path.isEmpty() && QFileInfo(path).suffix().isEmpty()) {
        path += strDefaultExt;
    }
    return path;
}

QString CQtPrompt::GetOpenFileName(QWidget* pParent, const QString& strFilter) {
    return QFileDialog::getOpenFileName(
        pParent, QCoreApplication::translate("CQtPrompt", "Open"), QString(),
        strFilter + QStringLiteral(";;") +
            QCoreApplication::translate("CQtPrompt", "All Files (*)"));
}
