#pragma once

#include <QDialog>

#include <list>
#include <string>
#include <vector>

class QDialogButtonBox;
class QLabel;
class QLineEdit;

// Up to ten S.I.N.s for a new Auto-fill or Express NOA session. OK keeps
// the dialog open until every entry is a valid S.I.N. and at least one was
// typed; the caller's list then holds each S.I.N. once, as nine digits, in
// edit order.
class DlgTDDEnterSin : public QDialog
{
    Q_OBJECT
public:
    static constexpr int kEdits = 10;

    DlgTDDEnterSin(std::list<std::string>& sins, QWidget* parent, unsigned char edition = 2);

    void accept() override;

    QLineEdit* edit(int i) const { return m_edits.at(std::size_t(i)); }

private:
    std::list<std::string>& m_sins;
    unsigned char m_edition;
    QLabel* m_label = nullptr;
    std::vector<QLineEdit*> m_edits;
    QDialogButtonBox* m_buttons = nullptr;
};
