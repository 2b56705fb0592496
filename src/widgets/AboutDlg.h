#pragma once

#include <QDialog>

class CLinkLabel;

// The About box: program icon, version, and a mail link to the author.
class CAboutDlg : public QDialog {
    Q_OBJECT
public:
    explicit CAboutDlg(QWidget* pParent = nullptr);

    CLinkLabel* GetLink() const { return m_link; }

private:
    CLinkLabel* m_link = nullptr;
};
