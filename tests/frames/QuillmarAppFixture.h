#pragma once

#include "app/QuillmarApp.h"
#include "frames/MainFrame.h"
#include "support/ScriptedPrompt.h"

#include <QCoreApplication>
#include <QSettings>
#include <gtest/gtest.h>
#include <memory>

// An application on clean settings, its message boxes and file dialogs answered by a script.
class QuillmarAppFixture : public ::testing::Test {
protected:
    void SetUp() override { QSettings().clear(); }
    void TearDown() override {
        m_pApp.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QSettings().clear();
    }

    bool Start(const QStringList& arguments = {}) {
        m_pApp = std::make_unique<CQuillmarApp>(arguments);
        return m_pApp->InitInstance();
    }
    CMainFrame& Frame() const { return *m_pApp->GetMainFrame(); }

    ScriptedPrompt m_prompt;
    std::unique_ptr<CQuillmarApp> m_pApp;
};
