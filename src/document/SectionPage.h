#pragma once

#include "document/Document.h"

#include <QString>
#include <QStringList>
#include <QWidget>

#include <functional>

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

    // The file of this section for a document path (base name + extension).
    QString fileName(const QString &documentPath) const;

    // Back to the state of a new, empty document (creation and "Nouveau").
    virtual void reset() = 0;
    // Load the section file of the document (ChargeXxx). A missing file
    // leaves the section as it was.
    virtual void load(const QString &documentPath) = 0;
    // Write back the screen, then write the section file (SauveXxx) when the
    // section's rule says so, or always when `force` (saving under a new
    // name). Returns false, after telling the user, when a write failed.
    virtual bool save(const QString &documentPath, bool force) = 0;
    // The lines of the section file as the store holds them now: what a save
    // would write, but for edits still on screen. Changes nothing (the
    // recovery copy is made of them while the document stays as it is).
    virtual QStringList storeLines() const = 0;

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

protected:
    // Writes lines to the section file atomically; tells the user and
    // returns false when it failed. While the whole set is saved the file is
    // only staged in the context's batch, and the window tells the user when
    // the set could not be written. `saved` runs once the file is really
    // replaced (a section clears its own flags there).
    bool writeFile(const QString &path, const QStringList &lines, std::function<void()> saved = {});

private:
    DocumentContext &m_context;
    SectionId m_section;
};
