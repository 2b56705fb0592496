#pragma once

#include "framework/Prompt.h"

#include <QString>
#include <QStringList>
#include <deque>

// Answers the program's message boxes and file dialogs from a script and records what was
// asked. Installed for the life of the object. An unscripted message box answers Cancel/No/Ok
// (the safe choice) and an unscripted file dialog answers "cancelled", so a forgotten answer
// fails the test instead of blocking it.
class ScriptedPrompt final : public IPrompt {
public:
    ScriptedPrompt();
    ~ScriptedPrompt() override;
    ScriptedPrompt(const ScriptedPrompt&) = delete;
    ScriptedPrompt& operator=(const ScriptedPrompt&) = delete;

    void QueueAnswer(Answer answer) { m_answers.push_back(answer); }
    void QueueFileName(const QString& strPath) { m_fileNames.push_back(strPath); }

    Answer MessageBox(QWidget* pParent, const QString& strText, Icon icon,
                      Buttons buttons) override;
    QString GetSaveFileName(QWidget* pParent, const QString& strProposed, const QString& strFilter,
                            const QString& strDefaultExt) override;
    QString GetOpenFileName(QWidget* pParent, const QString& strFilter) override;

    // Every message box text, in order.
    QStringList m_messages;
    // Every file dialog asked for ("save" or "open"), in order.
    QStringList m_fileDialogs;

private:
    std::deque<Answer> m_answers;
    std::deque<QString> m_fileNames;
};
