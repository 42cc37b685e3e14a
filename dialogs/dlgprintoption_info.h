#pragma once

#include <QDialog>

class QCheckBox;
class QRadioButton;
class StyledCheckBox;

// The print options asked before every print: a client copy (with the form
// selected alone, the client letter, the invoice and the full S.I.N. as
// choices) or a condensed barcode print for paper filing. The choices are
// kept in static results that the print road reads and that last from one
// print to the next.
class DlgPrintOption_Info : public QDialog
{
    Q_OBJECT
public:
    static constexpr int kWidth = 613;
    static constexpr int kHeight = 370;

    // 1 condensed barcode print, 0 client copy.
    static int m_iPrintOption;
    static int m_iPrintCurForm;
    // -1 until the first dialog; each dialog sets it from the setting.
    static int m_iPrintClientLetter;
    static int m_iPrintFullSIN;
    static int m_iPrintReceipt;

    // prntClientLetter: the "PrntClientLetter" setting, which ticks the
    // client letter at every opening.
    DlgPrintOption_Info(QWidget* parent, int prntClientLetter);

    bool validatePage() { return true; }

    QRadioButton* fld_PrintOption_0 = nullptr;
    QRadioButton* fld_PrintOption_1 = nullptr;
    QCheckBox* fld_CurFormOnly = nullptr;
    QCheckBox* fld_ClientLetter = nullptr;
    QCheckBox* fld_EngagementCover = nullptr;
    StyledCheckBox* fld_Invoice = nullptr;
    StyledCheckBox* fld_FullSIN = nullptr;

public slots:
    void on_btnPrint_clicked();
    void on_btnCancel_clicked();
};
