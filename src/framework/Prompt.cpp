#include "framework/Prompt.h"

#include "framework/QtPrompt.h"

namespace {
IPrompt* g_pPrompt = nullptr;
} // namespace

IPrompt& AppPrompt() {
    static CQtPrompt realPrompt;
    return g_pPrompt != nullptr ? *g_pPrompt : realPrompt;
}

void SetAppPrompt(IPrompt* pPrompt) {
    g_pPrompt = pPrompt;
}
