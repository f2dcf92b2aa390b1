#pragma once
#include "cells/cmcFCache.h"
#include "model/indDocument.h"
#include "rules/indRulesHost.h"

// The cell rules over a document without a window, for the commands that edit a clone file
// from the terminal (the channel table import and export).
class CliRulesHost : public indRulesHost {
public:
    CliRulesHost(indDocument& doc, cmcGTex* texts) : m_doc(doc), m_cache(texts) {}

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
};
