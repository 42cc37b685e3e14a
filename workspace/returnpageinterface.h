#pragma once

#include "model/returnmenufacts.h"

#include <QString>

class QWidget;

// What the main window needs of the page of one open return. The window
// keeps such pages in its page stack and reaches the open return only
// through the page that is current. The page's identity, view and item
// commands are this interface; the features' commands (filing, print, the
// return tools) reach the page through their own host interfaces, which the
// page implements too. Every command runs after the page has stored what the
// user typed on its visible form page.
//
// The page is a QWidget that also implements this interface; the window
// finds it with dynamic_cast on the stack's current widget.
class ReturnPageInterface
{
public:
    virtual ~ReturnPageInterface();

    // The page as it sits in the page stack.
    virtual QWidget* pageWidget() = 0;
    // The number shown in the Windows menu ("Return %1"), given by the window
    // when the page was made (MainWindow::nextReturnNumber).
    virtual int returnNumber() const = 0;

    // The file's folder, separator and name, or "Untitled (unsaved)".
    virtual QString getTitle() const = 0;
    // The full path of the page's file; empty while the return has no file.
    virtual void getFilepath(QString& path) const = 0;
    virtual bool hasFileToSave() const = 0;
    // True when the return differs from the copy taken when it was opened or
    // last saved.
    virtual bool isChanged() = 0;

    // The visible form page stores its widgets into the return.
    virtual void saveCurFormDataToDoc() = 0;
    // Asks whether to save a changed return (Yes/No/Cancel) and saves on Yes.
    // True when the page may close: saved, discarded, or unchanged.
    virtual bool onCloseReturn() = 0;
    // Puts the return's result text into status and shows it.
    virtual void refreshReturnStatus(QString& status) = 0;

    // View.
    virtual void changeFontSize(int pointSize) = 0;
    virtual void refreshViewForColorFontSize() = 0;
    // Collapses or restores the left pane; true when it is shown again.
    virtual bool toggleViewMode() = 0;

    // Items of the return.
    virtual void removeSelected() = 0;
    virtual void shareSelectedSlip() = 0;
    virtual void unshareSelectedSlip() = 0;
    virtual void shareSelectedForm() = 0;
    virtual void unshareSelectedForm() = 0;
    virtual void addTaxNote() = 0;
    virtual void getSlipSummary() = 0;
    virtual void addTaxForm() = 0;
    virtual int changeFormsOrder() = 0;
    virtual void addTaxSlip(int slipType) = 0;
    // About the item selected in the tree, of the given kind (slip or form).
    virtual ReturnMenuFacts menuFacts(int itemKind) = 0;
};
