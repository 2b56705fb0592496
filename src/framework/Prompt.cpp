#include "framework/Prompt.h"

#include <QtGlobal>

namespace {

// Before a program installs its prompt nobody can answer: a message is written to standard
// error and every question is declined, so nothing is overwritten or left unsaved on a guess.
class CUnattendedPrompt final : public IPrompt {
public:
    using IPrompt::MessageBox;
    Answer MessageBox(QWidget*, const QString& strText, Icon, Buttons buttons, Answer) override {
        qWarning("%s", qPrintable(strText));
        switch (buttons) {
        case Buttons::Ok:
            return Answer::Ok;
        case Buttons::YesNo:
            return Answer::No;
        case Buttons::YesNoCancel:
            break;
        }
        return Answer::Cancel;
    }
    QString GetSaveFileName(QWidget*, const QString&, const QString&, const QString&,
                            const QString&) override {
        return {};
    }
    QString GetOpenFileName(QWidget*, const QString&) override { return {}; }
};

IPrompt* g_pPrompt = nullptr;

} // namespace

IPrompt& AppPrompt() {
    static CUnattendedPrompt unattended;
    return g_pPrompt != nullptr ? *g_pPrompt : unattended;
}

void SetAppPrompt(IPrompt* pPrompt) {
    g_pPrompt = pPrompt;
}
