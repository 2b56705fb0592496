#include "support/Mnemonics.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <map>

namespace {

using KeyTexts = std::map<QString, QStringList>;

void Add(KeyTexts& keys, const QString& strText) {
    const QKeySequence key = QKeySequence::mnemonic(strText);
    if (!key.isEmpty()) {
        keys[key.toString()] << strText;
    }
}

void AddActions(KeyTexts& keys, const QWidget& widget) {
    for (const QAction* pAction : widget.actions()) {
        if (pAction->isVisible()) {
            Add(keys, pAction->text());
        }
    }
}

void AddClashes(QStringList& clashes, const KeyTexts& keys) {
    for (const auto& [strKey, texts] : keys) {
        if (texts.size() > 1) {
            clashes << strKey + ": " + texts.join(" | ");
        }
    }
}

} // namespace

QString MnemonicClashes(const QWidget& window) {
    // A document window's controls act only while it has the focus, together with those of the
    // window around it: each document window is a scope of its own.
    std::map<const QWidget*, KeyTexts> scopes{{&window, {}}};
    const auto scopeOf = [&window](const QWidget* pWidget) {
        while (pWidget != &window && qobject_cast<const QMdiSubWindow*>(pWidget) == nullptr) {
            pWidget = pWidget->parentWidget();
        }
        return pWidget;
    };
    for (const QWidget* pWidget : window.findChildren<QWidget*>()) {
        KeyTexts& keys = scopes[scopeOf(pWidget)];
        if (const auto* pButton = qobject_cast<const QAbstractButton*>(pWidget)) {
            Add(keys, pButton->text());
        } else if (const auto* pLabel = qobject_cast<const QLabel*>(pWidget);
                   pLabel != nullptr && pLabel->buddy() != nullptr) {
            Add(keys, pLabel->text());
        } else if (const auto* pGroup = qobject_cast<const QGroupBox*>(pWidget)) {
            Add(keys, pGroup->title());
        } else if (qobject_cast<const QMenuBar*>(pWidget) != nullptr) {
            AddActions(keys, *pWidget);
        }
    }
    QStringList clashes;
    for (auto& [pScope, keys] : scopes) {
        if (pScope != &window) {
            for (const auto& [strKey, texts] : scopes.at(&window)) {
                keys[strKey] += texts;
            }
        }
        AddClashes(clashes, keys);
    }
    for (const QMenu* pMenu : window.findChildren<QMenu*>()) {
        KeyTexts menuKeys;
        AddActions(menuKeys, *pMenu);
        AddClashes(clashes, menuKeys);
    }
    clashes.removeDuplicates();
    return clashes.join('\n');
}
