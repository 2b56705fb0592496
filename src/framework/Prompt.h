#pragma once

#include <QString>

class QWidget;

// Every message box and file dialog of the program goes through this interface, so tests
// answer them and no test ever blocks on a modal window.
class IPrompt {
public:
    enum class Icon { Information, Exclamation, Question, Error };
    enum class Buttons { Ok, YesNo, YesNoCancel };
    enum class Answer { Ok, Yes, No, Cancel };

    virtual ~IPrompt() = default;

    // defaultAnswer is the button that Enter presses.
    virtual Answer MessageBox(QWidget* pParent, const QString& strText, Icon icon, Buttons buttons,
                              Answer defaultAnswer) = 0;
    // Enter presses the first button, Yes or Ok, as in a Windows message box.
    Answer MessageBox(QWidget* pParent, const QString& strText, Icon icon, Buttons buttons) {
        return MessageBox(pParent, strText, icon, buttons,
                          buttons == Buttons::Ok ? Answer::Ok : Answer::Yes);
    }
    // A path to save to, or empty when the user cancels. strTitle names what the file is for
    // ("Save As", "Export"); strFilter is e.g. "Quilma Files (*.bod)"; strDefaultExt (".bod") is
    // appended when the user gives none.
    virtual QString GetSaveFileName(QWidget* pParent, const QString& strTitle,
                                    const QString& strProposed, const QString& strFilter,
                                    const QString& strDefaultExt) = 0;
    // A path to open, or empty when the user cancels.
    virtual QString GetOpenFileName(QWidget* pParent, const QString& strFilter) = 0;
};

// The prompt the program uses: the one installed (the desktop program's real dialogs, a test's
// own); while none is, messages go to standard error and every question is declined.
IPrompt& AppPrompt();
// Installs pPrompt (not owned) as the program's prompt; null leaves none installed.
void SetAppPrompt(IPrompt* pPrompt);
