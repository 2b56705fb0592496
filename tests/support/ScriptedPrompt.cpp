#include "support/ScriptedPrompt.h"

IPrompt::Answer ScriptedPrompt::MessageBox(QWidget* /*pParent*/, const QString& strText,
                                           Icon /*icon*/, Buttons buttons, Answer defaultAnswer) {
    m_messages.push_back(strText);
    if (m_answers.empty()) {
        return buttons == Buttons::Ok      ? Answer::Ok
               : buttons == Buttons::YesNo ? Answer::No
                                           : Answer::Cancel;
    }
    const std::optional<Answer> answer = m_answers.front();
    m_answers.pop_front();
    return answer.value_or(defaultAnswer);
}

QString ScriptedPrompt::NextFileName(const QString& strDialog) {
    m_fileDialogs.push_back(strDialog);
    if (m_fileNames.empty()) {
        return {};
    }
    const QString strPath = m_fileNames.front();
    m_fileNames.pop_front();
    return strPath;
}
