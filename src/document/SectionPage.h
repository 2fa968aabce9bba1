#pragma once

#include "document/Document.h"

#include <QString>
#include <QStringList>
#include <QWidget>

class DocumentContext;
class MmCanvas;

// One page of the document window: one section of the document set.
//
// The document window routes the generic commands to the page that shows;
// a command a section does not offer keeps the default, which does nothing.
// Each section names its own routines after the older program (LitSemaine,
// EcritNoms, ...) and overrides these entry points with them.
class SectionPage : public QWidget
{
    Q_OBJECT

public:
    SectionPage(DocumentContext &context, SectionId section, QWidget *parent = nullptr);

    SectionId section() const { return m_section; }
    int number() const { return pageNumber(m_section); }
    DocumentContext &context() const { return m_context; }

    // The document model loads and saves the set; the page shows its
    // section's store and writes the edits on screen back into it.

    // The store was emptied for a new document ("Nouveau"): forget what the
    // page remembers of the old one and show the new.
    virtual void reset() { display(); }
    // The store was loaded from a document set: show it.
    virtual void loaded() { display(); }
    // Before the set is saved: write back what the screen still holds.
    virtual void prepareSave() { writeBack(); }

    // Write the edits shown on screen back into the store (EcritXxx).
    virtual void writeBack() {}
    // Show the section's current position from the store (LitXxx).
    virtual void display() {}

    // Generic commands.
    virtual void premier() {}
    virtual void precedent() {}
    virtual void suivant() {}
    virtual void dernier() {}
    virtual void ajout() {}
    virtual void supprime() {}
    virtual void couper() {}
    virtual void copier() {}
    virtual void coller() {}

    // Search ("Rechercher..." / "Continuer", run by the document window): the
    // store lines a search scans, or null when the section offers no search.
    virtual const QStringList *searchLines() const { return nullptr; }
    // Shows the position that holds store line `line`, found by a search;
    // false, changing nothing, when that line shows nothing (the search then
    // goes on past it).
    virtual bool showFound(qsizetype line)
    {
        Q_UNUSED(line);
        return false;
    }

    // Draws what the section's print command prints (ImpSemaine, ImpNoms,
    // ...); false when the section prints nothing.
    virtual bool print(MmCanvas &canvas)
    {
        Q_UNUSED(canvas);
        return false;
    }
    // The budget journal prints in the orientation the user chose; every
    // other section in portrait.
    virtual bool keepsPrintOrientation() const { return false; }

    // The document window's resizing rules for this page; W and H are the
    // document window's width and height.
    virtual void layoutFor(int width, int height)
    {
        Q_UNUSED(width);
        Q_UNUSED(height);
    }

    // Asks before a record goes: « Supprimer la fiche « name » ? » (Yes/No;
    // `what` names another kind of record). True when the user answers Yes.
    bool confirmDelete(const QString &name, const QString &what = QStringLiteral("la fiche")) const;

private:
    DocumentContext &m_context;
    SectionId m_section;
};
