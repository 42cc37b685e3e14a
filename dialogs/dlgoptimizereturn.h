#pragma once

#include <QDialog>

class CFamilyTaxData;
class DataShareAmtDlg;
class QLabel;
class QLineEdit;
class QPushButton;
class QSlider;

// "Optimize Tax Return": the optimiser's result on a scratch copy of a
// coupled return, and two sliders to try other pension and donation splits
// on that copy. Nothing here touches the open return: after "Set T1032 and
// Close" (accepted) the caller writes bestPension() into it.
class DlgOptimizeReturn : public QDialog
{
    Q_OBJECT
public:
    // scratch: the copy the optimiser left calculated; record: the amounts
    // the user identified. Neither is owned; both outlive the dialog.
    DlgOptimizeReturn(CFamilyTaxData* scratch, DataShareAmtDlg* record, QWidget* parent);

    double bestPension() const { return m_dBestPension; }
    double currentPension() const { return m_dCurPension; }
    double currentDonation() const { return m_dCurDonation; }

protected:
    void showEvent(QShowEvent* event) override;

private slots:
    void on_btnOptimize_clicked();
    void on_btnClose_clicked();
    void on_btnReCalc();
    void onSliderPensionChanged(int position);
    void onSliderDonationChanged(int position);

private:
    void buildLayout();
    // Positions, edits and the current result from the scratch copy.
    void updateResult();
    // The scratch copy at the current positions.
    void ReCalculate();
    // A position as its slider can hold it: whole dollars within 0 and max.
    static double wholeDollars(double position, double max);

    CFamilyTaxData* m_pFamilyData;
    DataShareAmtDlg* m_pShareData;
    double m_dMaxPension = 0.0;
    double m_dMaxDonation = 0.0;
    double m_dCurPension = 0.0;
    double m_dCurDonation = 0.0;
    double m_dBestPension = 0.0;
    double m_dBestDonation = 0.0;
    bool m_bShown = false;

    QLabel* m_lblName1 = nullptr;
    QLabel* m_lblName2 = nullptr;
    QLabel* m_lblMaxDonation = nullptr;
    QLabel* m_lblMaxPension = nullptr;
    QSlider* m_sldDonation = nullptr;
    QSlider* m_sldPensionSplit = nullptr;
    QLineEdit* m_edtDonation1 = nullptr;
    QLineEdit* m_edtDonation2 = nullptr;
    QLineEdit* m_edtPension = nullptr;
    QLabel* m_lblFamilyResult = nullptr;
    QLabel* m_lblFullName1 = nullptr;
    QLabel* m_lblResult1 = nullptr;
    QLabel* m_lblFullName2 = nullptr;
    QLabel* m_lblResult2 = nullptr;
    QLabel* m_lblBestResultTitle = nullptr;
    QLabel* m_lblFamilyBest = nullptr;
    QLabel* m_lblBestFullName1 = nullptr;
    QLabel* m_lblBestResult1 = nullptr;
    QLabel* m_lblBestFullName2 = nullptr;
    QLabel* m_lblBestResult2 = nullptr;
};
