#pragma once

#include <QDialog>

class QRadioButton;
class StyledCheckBox;

// What of last year's return the import carries over; the same five flags,
// in the same order, as the return model's import options.
struct ImportOptionFlags
{
    bool bKeepNotes = true;
    bool bIncludeSFD = false;
    bool bKeepForms = false;
    bool bCopyAllData = false;
    bool bMakeCoupled = false;
};

// The import options dialog: shows the flags and writes them back on
// "Import Return" (result 1); "Cancel" keeps the caller's values (0).
class DlgImportOption_Info : public QDialog
{
    Q_OBJECT
public:
    static constexpr int kWidth = 735;
    static constexpr int kHeight = 400;

    DlgImportOption_Info(ImportOptionFlags* param, QWidget* parent);

    bool validatePage() { return true; }

public slots:
    void on_btnImport_clicked();
    void on_btnCancel_clicked();

private:
    ImportOptionFlags* m_param;
    StyledCheckBox* m_keepNotes = nullptr;
    StyledCheckBox* m_includeSFD = nullptr;
    StyledCheckBox* m_keepForms = nullptr;
    StyledCheckBox* m_makeCoupled = nullptr;
    QRadioButton* m_copyNone = nullptr;
    QRadioButton* m_copyAll = nullptr;
};
