#include "support/ScriptedPrompt.h"

ScriptedPrompt::ScriptedPrompt() {
    SetAppPrompt(this);
}

ScriptedPrompt::~ScriptedPrompt() {
    SetAppPrompt(nullptr);
}

IPrompt::Answer ScriptedPrompt::MessageBox(QWidget* /*pParent*/, const QString& strText,
                                           Icon /*icon*/, Buttons buttons) {
    m_messages.push_back(strText);
    if (!m_answers.empty()) {
        const Answer answer = m_answers.front();
        m_answers.pop_front();
        return answer;
    }
    switch (buttons) {
    case Buttons::Ok:
        return Answer::Ok;
    case Buttons::YesNo:
        return Answer::No;
    case Buttons::YesNoCancel:
        return Answer::Cancel;
    }
    return Answer::Cancel;
}

QString ScriptedPrompt::GetSaveFileName(QWidget* /*pParent*/, const QString& /*strProposed*/,
                                        const QString& /*strFilter*/,
                                        const QString& /*strDefaultExt*/) {
    m_fileDialogs.push_back("save");
    if (m_fileNames.empty()) {
        return {};
    }
    QString path = m_fileNames.front();
    m_fileNames.pop_front();
    return path;
}

QString ScriptedPrompt::GetOpenFileName(QWidget* /*pParent*/, const QString& /*strFilter*/) {
    m_fileDialogs.push_back("open");
    if (m_fileNames.empty()) {
        return {};
    }
    QString path = m_fileNames.front();
    m_fileNames.pop_front();
    return path;
}
