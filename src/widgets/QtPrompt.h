#pragma once

#include "framework/Prompt.h"

// The real message boxes and file dialogs, titled with the application's name.
class CQtPrompt final : public IPrompt {
public:
    using IPrompt::MessageBox;
    Answer MessageBox(QWidget* pParent, const QString& strText, Icon icon, Buttons buttons,
                      Answer defaultAnswer) override;
    QString GetSaveFileName(QWidget* pParent, const QString& strTitle, const QString& strProposed,
                            const QString& strFilter, const QString& strDefaultExt) override;
    QString GetOpenFileName(QWidget* pParent, const QString& strFilter) override;
};
