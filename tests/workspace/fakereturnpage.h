#pragma once

#include "companion/core/messages.h"
#include "dialogs/returntoolshost.h"
#include "filing/filinghost.h"
#include "print/printhost.h"
#include "workspace/returnpageinterface.h"

#include <QStringList>
#include <QWidget>

// A return page for tests of the window: it records every call made on it
// ("save" for the visible form page being stored) and asks the real close
// question through the prompter.
class FakeReturnPage : public QWidget,
                       public ReturnPageInterface,
                       public ReturnToolsHost,
                       public FilingHost,
                       public PrintHost
{
public:
    FakeReturnPage(int number, const QString& filePath = QString()) : m_number(number), m_filePath(filePath) {}

    QStringList calls;
    bool changed = false;
    // What the context menu learns of the selected item; a single return by default.
    ReturnMenuFacts facts;
    bool leftPaneShown = true;
    QString status = QStringLiteral("[Total Income]=0");

    QWidget* pageWidget() override { return this; }
    int returnNumber() const override { return m_number; }
    QString getTitle() const override { return m_filePath.isEmpty() ? QStringLiteral("Untitled (unsaved)") : m_filePath; }
    void getFilepath(QString& path) const override { path = m_filePath; }
    bool hasFileToSave() const override { return !m_filePath.isEmpty(); }
    bool isChanged() override { return changed; }
    void setFilePath(const QString& path) { m_filePath = path; }

    void saveCurFormDataToDoc() override { calls << "save"; }
    bool onCloseReturn() override
    {
        calls << "close?";
        if (!changed)
            return true;
        const Prompt::StandardButton answer =
            promptQuestion(this, "voDarevivo 2024 for DirErad",
                           "This return has changes that are not saved.\n\nDo you want to save them before closing?",
                           Prompt::Save | Prompt::Discard | Prompt::Cancel, Prompt::Save);
        if (answer == Prompt::Cancel)
            return false;
        if (answer == Prompt::Save)
            changed = false;
        return true;
    }
    void refreshReturnStatus(QString& text) override { text = status; }

    void changeFontSize(int size) override { calls << QString("font %1").arg(size); }
    void refreshViewForColorFontSize() override { calls << "refreshView"; }
    bool toggleViewMode() override
    {
        calls << "toggle";
        leftPaneShown = !leftPaneShown;
        return leftPaneShown;
    }

    void removeSelected() override { calls << "removeSelected"; }
    void shareSelectedSlip() override { calls << "shareSelectedSlip"; }
    void unshareSelectedSlip() override { calls << "unshareSelectedSlip"; }
    void shareSelectedForm() override { calls << "shareSelectedForm"; }
    void unshareSelectedForm() override { calls << "unshareSelectedForm"; }
    void addTaxNote() override { calls << "addTaxNote"; }
    void getSlipSummary() override { calls << "getSlipSummary"; }
    void addTaxForm() override { calls << "addTaxForm"; }
    int changeFormsOrder() override { calls << "changeFormsOrder"; return 0; }
    void addTaxSlip(int type) override { calls << QString("addTaxSlip %1").arg(type); }
    ReturnMenuFacts menuFacts(int) override { return facts; }
    void taxReturnChangeProvince() override { calls << "taxReturnChangeProvince"; }
    void deCoupleReturn() override
    {
        calls << "deCoupleReturn";
        m_filePath.clear();
    }
    void optimizeReturn() override { calls << "optimizeReturn"; }
    void taxPlanning() override { calls << "taxPlanning"; }
    int ValidateTaxReturn(unsigned char edition, bool offer, bool ask) override
    {
        calls << QString("ValidateTaxReturn %1 %2 %3").arg(edition).arg(offer).arg(ask);
        return 0;
    }
    void UnsetReFile() override { calls << "UnsetReFile"; }
    void OnFileCreateElectronFile() override { calls << "OnFileCreateElectronFile"; }
    int OnFileT1135() override
    {
        calls << "OnFileT1135";
        return 0;
    }
    void OnPrepareReFile() override
    {
        calls << "OnPrepareReFile";
        m_filePath = m_filePath.isEmpty() ? m_filePath : m_filePath + "_RF";
    }
    void OnFileCreatePdfFile() override { calls << "OnFileCreatePdfFile"; }
    void OnSubmitQuillorForm(int type) override { calls << QString("OnSubmitQuillorForm %1").arg(type); }

private:
    int m_number;
    QString m_filePath;
};
