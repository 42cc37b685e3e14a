#pragma once

#include <QLabel>

// The text of a line on a form page: its number, its words, a section
// heading. Its sizes are QLabel's own, worked out once for each text, font
// and box and then remembered for every label that shows the same: a form's
// pages carry the same words on every page built from it (the spouse's T1
// as the taxpayer's, a form shown again after another), and working out
// where a text breaks lays it out whole, several times over for each page.
class FieldLabel : public QLabel
{
    Q_OBJECT
public:
    explicit FieldLabel(const QString& text, QWidget* parent = nullptr);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    int heightForWidth(int width) const override;

    // The number of sizes remembered, for the tests.
    static int rememberedSizes();
};
