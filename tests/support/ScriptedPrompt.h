#pragma once

#include "framework/Prompt.h"

#include <QStringList>
#include <deque>

// Answers the program's message boxes and file dialogs from a script while it lives, and records
// what was asked. Unscripted, a message box answers the safe choice (Cancel, No, Ok) and a file
// dialog "cancelled", so a forgotten answer fails the test instead of blocking it.
class ScriptedPrompt final : public IPrompt {
public:
    ScriptedPrompt() { SetAppPrompt(this); }
    ~ScriptedPrompt() override { SetAppPrompt(nullptr); }
    ScriptedPrompt(const ScriptedPrompt&) = delete;
    ScriptedPrompt& operator=(const ScriptedPrompt&) = delete;

    void QueueAnswer(Answer answer) { m_answers.push_back(answer); }
    void QueueFileName(const QString& strPath) { m_fileNames.push_back(strPath); }

    Answer MessageBox(QWidget* pParent, const QString& strText, Icon icon,
                      Buttons buttons) override;
    QString GetSaveFileName(QWidget*, const QString&, const QString&, const QString&) override {
        return NextFileName("save");
    }
    QString GetOpenFileName(QWidget*, const QString&) override { return NextFileName("open"); }

    QStringList m_messages;    // every message box text, in order
    QStringList m_fileDialogs; // "save" or "open" for each file dialog, in order

private:
    QString NextFileName(const char* pszDialog);

    std::deque<Answer> m_answers;
    std::deque<QString> m_fileNames;
};
