#pragma once
#include "cells/cmcFCache.h"
#include "model/indDocument.h"
#include "rules/indRulesHost.h"

// The cell rules over a document without a window, for the commands that edit a clone file
// from the terminal (the channel table import and export).
class CliRulesHost : public indRulesHost {
public:
    // The choice codecs find their lists through the global cache, as in the program.
    CliRulesHost(indDocument& doc, cmcGTex* texts) : m_doc(doc), m_cache(texts)
    {
        m_before = g_FCache;
        g_FCache = &m_cache;
    }
    ~CliRulesHost() override { g_FCache = m_before; }
    CliRulesHost(const CliRulesHost&) = delete;
    CliRulesHost& operator=(const CliRulesHost&) = delete;

    cmcEeprom& WorkImage() override { return m_doc.Work(); }
    cmcEeprom& ReferenceImage() override { return m_doc.Reference(); }
    int ModelType() const override { return m_doc.ModelType(); }
    bool MakerMode() const override { return false; }
    bool ExtendedMode() const override { return false; }
    bool FactoryMode() const override { return false; }
    cmcFCache& Cache() override { return m_cache; }
    ICellPopups* Popups() override { return nullptr; }
    void StartWarningRecheck() override {}
    void CheckModified() override { m_doc.CheckModified(); }
    void PackWorkImage() override {}
    int HelpContextOf(int32_t) override { return 0; }
    void ShowHelp(int) override {}
    bool RunCommand(int32_t, int32_t) override { return false; }

private:
    indDocument& m_doc;
    cmcFCache m_cache;
    cmcFCache* m_before = nullptr;
};
