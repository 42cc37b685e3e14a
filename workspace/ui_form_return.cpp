#include "workspace/ui_form_return.h"

#include "workspace/folderview.h"

#include <QComboBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QSplitter>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

QFont pointFont(const QFont& base, int points)
{
    QFont font(base);
    font.setPointSize(points);
    return font;
}

QLabel* resultLine(QWidget* parent, const char* name)
{
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    label->setFont(pointFont(label->font(), 10));
    // A long name with a large balance wraps instead of being cut off at
    // the pane's edge.
    label->setWordWrap(true);
    return label;
}

} // namespace

void Ui_Form_Return::setupUi(QWidget* page)
{
    page->setObjectName(QStringLiteral("Form_Return"));
    page->resize(1227, 818);
    page->setFont(pointFont(page->font(), 10));

    horizontalLayout = new QHBoxLayout(page);
    horizontalLayout->setObjectName(QStringLiteral("horizontalLayout"));

    splitter = new QSplitter(Qt::Horizontal, page);
    splitter->setObjectName(QStringLiteral("splitter"));
    splitter->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);

    frame = new QFrame(splitter);
    frame->setObjectName(QStringLiteral("frame"));
    frame->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    frame->setMinimumSize(10, 0);
    frame->setMaximumWidth(600);
    frame->setFrameShape(QFrame::Box);
    frame->setFrameShadow(QFrame::Raised);

    verticalLayout = new QVBoxLayout(frame);
    verticalLayout->setObjectName(QStringLiteral("verticalLayout"));
    label_3 = new QLabel(frame);
    label_3->setObjectName(QStringLiteral("label_3"));
    label_3->setFont(pointFont(label_3->font(), 12));
    // The pane opens narrower than this caption: it wraps rather than
    // losing its last words.
    label_3->setWordWrap(true);
    verticalLayout->addWidget(label_3);
    comboBox = new QComboBox(frame);
    comboBox->setObjectName(QStringLiteral("comboBox"));
    verticalLayout->addWidget(comboBox);
    treeFolderView = new FolderView(frame);
    treeFolderView->setObjectName(QStringLiteral("treeFolderView"));
    treeFolderView->header()->setVisible(false);
    treeFolderView->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Expanding);
    treeFolderView->setFont(pointFont(treeFolderView->font(), 8));
    treeFolderView->setFrameShape(QFrame::StyledPanel);
    verticalLayout->addWidget(treeFolderView);
    lblResultLine1 = resultLine(frame, "lblResultLine1");
    verticalLayout->addWidget(lblResultLine1);
    lblResultLine2 = resultLine(frame, "lblResultLine2");
    verticalLayout->addWidget(lblResultLine2);
    lblResultLine3 = new QLabel(frame);
    lblResultLine3->setObjectName(QStringLiteral("lblResultLine3"));
    lblResultLine3->setWordWrap(true);
    verticalLayout->addWidget(lblResultLine3);
    splitter->addWidget(frame);

    frame_2 = new QFrame(splitter);
    frame_2->setObjectName(QStringLiteral("frame_2"));
    frame_2->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    frame_2->setFrameShape(QFrame::Box);
    frame_2->setFrameShadow(QFrame::Raised);
    verticalLayout_2 = new QVBoxLayout(frame_2);
    verticalLayout_2->setObjectName(QStringLiteral("verticalLayout_2"));
    lblFormDesc = new QLabel(frame_2);
    lblFormDesc->setObjectName(QStringLiteral("lblFormDesc"));
    lblFormDesc->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    lblFormDesc->setFont(pointFont(lblFormDesc->font(), 12));
    verticalLayout_2->addWidget(lblFormDesc);
    // Amounts of the return this program does not take into account.
    lblNotComputed = new QLabel(frame_2);
    lblNotComputed->setObjectName(QStringLiteral("lblNotComputed"));
    lblNotComputed->setWordWrap(true);
    lblNotComputed->setStyleSheet(QStringLiteral("color: #8a4b00;"));
    lblNotComputed->hide();
    verticalLayout_2->addWidget(lblNotComputed);
    tabForm = new QTabWidget(frame_2);
    tabForm->setObjectName(QStringLiteral("tabForm"));
    tabForm->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    // The room left over belongs to the form's pages, not to the lines above.
    verticalLayout_2->addWidget(tabForm, 1);
    splitter->addWidget(frame_2);

    horizontalLayout->addWidget(splitter);

    retranslateUi(page);
    tabForm->setCurrentIndex(-1);
}

void Ui_Form_Return::retranslateUi(QWidget* page)
{
    page->setWindowTitle(QObject::tr("Form"));
    label_3->setText(QObject::tr("<html><head/><body><p><span style=\" font-size:12pt;\">Switch tax return by "
                                 "selecting name</span></p></body></html>"));
    lblResultLine1->setText(QString());
    lblResultLine2->setText(QString());
    lblResultLine3->setText(QObject::tr("TextLabel"));
    lblFormDesc->setText(QObject::tr("TextLabel"));
}
