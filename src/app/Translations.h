#pragma once

#include <QTranslator>

// The program's texts, and Qt's own (its buttons and file dialogs), in the user's language for
// as long as this lives. Needs the application object. English is the source language: for an
// English desktop, or a language without a translation, nothing is loaded.
class CTranslations {
public:
    CTranslations();
    CTranslations(const CTranslations&) = delete;
    CTranslations& operator=(const CTranslations&) = delete;

private:
    QTranslator m_qt;
    QTranslator m_quillmar;
};
