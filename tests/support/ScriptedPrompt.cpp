#include "support/ScriptedPrompt.h"

IPrompt::Answer ScriptedPrompt::MessageBox(QWidget* /*pParent*/, const QString& strText,
                                           Icon /*icon*/, Buttons buttons) {
    m_messages.push_back(strText);
    if (m_answers.empty()) {
        return buttons == Buttons::Ok      ? Answer::Ok
               : buttons == Buttons::YesNo ? Answer::No
                                           : Answer::Cancel;
    }
    const Answer answer = m_answers.front();
    m_answers.pop_front();
    return answer;
}

QString ScriptedPrompt::NextFileName(const char* pszDialog) {
    m_fileDialogs.push_back(pszDialog);
    if (m_fileNames.empty()) {
        return {};
    }
    const QString strPath = m_fileNames.front();
    m_fileNames.pop_front();
    return strPath;
}
