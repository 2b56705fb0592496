#pragma once

#include "framework/Prompt.h"

#include <QStringList>
#include <deque>
#include <optional>

// Answers the program's message boxes and file dialogs from a script while it lives, and records
// what was asked. Unscripted, a message box answers the safe choice (Cancel, No, Ok) and a file
// dialog "cancelled", so a forgotten answer fails the test instead of blocking it.
class ScriptedPrompt final : public IPrompt {
public:
    ScriptedPrompt() { SetAppPrompt(this); }
    ~ScriptedPrompt() override { SetAppPrompt(nullptr); }
    ScriptedPrompt(const ScriptedPrompt&) = delete;
    ScriptedPrompt& operator=(const ScriptedPrompt&) = delete;

    void QueueAnswer(Answer answer) { m_answers.emplace_back(answer); }
    // The next message box is answered as Enter answers it: with its default button.
    void QueueEnter() { m_answers.emplace_back(std::nullopt); }
    void QueueFileName(const QString& strPath) { m_fileNames.push_back(strPath); }

    using IPrompt::MessageBox;
    Answer MessageBox(QWidget* pParent, const QString& strText, Icon icon, Buttons buttons,
                      Answer defaultAnswer) override;
    QString GetSaveFileName(QWidget*, const QString& strTitle, const QString&, const QString&,
                            const QString&) override {
        return NextFileName(strTitle);
    }
    QString GetOpenFileName(QWidget*, const QString&) override { return NextFileName("open"); }

    QStringList m_messages;    // every message box text, in order
    QStringList m_fileDialogs; // a save dialog's title, or "open", for each file dialog, in order

private:
    QString NextFileName(const QString& strDialog);

    std::deque<std::optional<Answer>> m_answers;
    std::deque<QString> m_fileNames;
};
