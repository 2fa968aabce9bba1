#pragma once

#include <QString>

// What the core tells the user or asks while it works on a document (a load,
// a save, an import): the document window shows it in its dialogs
// (DialogNotices, through UiServices), the command line writes it on
// standard error.
class Notices
{
public:
    enum class Kind
    {
        Plain,
        Warning,
        Critical
    };
    virtual ~Notices() = default;
    virtual void tell(const QString &text, Kind kind) = 0;
    // A Yes/No warning; true for Yes.
    virtual bool ask(const QString &text) = 0;
};
