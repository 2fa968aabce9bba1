#include "app/StatementCommand.h"

#include "app/CommandDocument.h"
#include "app/DocumentLock.h"
#include "app/ExchangeCommand.h"
#include "app/Settings.h"
#include "budget/BankStatement.h"
#include "budget/BudgetFormat.h"
#include "budget/BudgetStore.h"
#include "budget/StatementImport.h"
#include "common/BaseName.h"
#include "common/Clock.h"
#include "common/Notices.h"
#include "common/SaveBatch.h"
#include "common/TextFile.h"
#include "model/DocumentModel.h"
#include "model/RememberedLists.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTextStream>

namespace StatementCommand {

namespace {

using namespace ExchangeCommand;

// The document set without a window, loaded and its budget saved as the
// window does it (the day's backup first, the file replaced atomically).
// The one place this command touches the set's files.
struct DocumentSet
{
    DocumentModel model;
    QString document;

    void load(const QString &path, QDate today, Notices &notices)
    {
        document = path;
        loadDocument(model, document, today, notices, {SectionId::Budget});
    }
    void saveBudget(const Clock &clock, Notices &notices)
    {
        SaveBatch batch;
        stageSections(model, document, {SectionId::Budget}, batch, clock, notices);
        if (!batch.commit())
            throw Failure{WriteFailed, batch.error()};
    }
};

// An account is known when it is the default one, has months in the
// budget, or is in the accounts list of the user's remembered lists.
bool accountKnown(const BudgetStore &store, const QString &account)
{
    if (account == u"Caisse")
        return true;
    const QString code = BudgetFormat::accountCode(account);
    for (const QString &key : store.keys()) {
        if (key.startsWith(code))
            return true;
    }
    const auto lines = TextFile::read(QDir(Settings::dataDirectory()).filePath(QStringLiteral("Tivarel.cbx")));
    return lines && RememberedLists::parse(*lines).value(QStringLiteral("Combo2")).contains(account);
}

BankStatement::Statement readStatement(BankStatement::Format format, const QString &path, const QString &account,
                                       const ImportMemory &memory)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        throw Failure{BadInput, f.exists() ? QStringLiteral("Impossible de lire %1").arg(path)
                                           : QStringLiteral("Fichier %1 n'existe pas").arg(path)};
    if (format == BankStatement::Format::Ofx)
        return BankStatement::readOfx(path);
    const QByteArray data = f.readAll();
    if (format == BankStatement::Format::Qif)
        return BankStatement::readQif(data);
    const auto remembered = BankStatement::CsvMapping::fromText(memory.csvMapping(account));
    return BankStatement::readCsv(data, remembered ? *remembered : BankStatement::guessMapping(data));
}

int import(const QCommandLineParser &p, BankStatement::Format format, const Clock &clock, QTextStream &out,
           QTextStream &err)
{
    const QStringList args = p.positionalArguments();
    if (args.size() != 2)
        throw Failure{BadUsage, QStringLiteral("Il faut le document (.orz) puis le relevé à importer.")};
    if (!p.isSet(QStringLiteral("compte")))
        throw Failure{BadUsage, QStringLiteral("Il faut le compte du budget : --compte NOM.")};
    const QString account = p.value(QStringLiteral("compte"));
    const QString document = QFileInfo(args.at(0)).absoluteFilePath();
    const QString organiser = BaseName::withExtension(document, QStringLiteral(".orz"));
    if (!QFileInfo::exists(organiser))
        throw Failure{BadInput, QStringLiteral("Fichier %1 n'existe pas").arg(organiser)};

    // A window that has the document open would save over the import.
    DocumentLock lock;
    lockDocument(lock, document, QStringLiteral("fermez-le avant d'importer"));
    ImportMemory memory;
    QString error;
    if (!memory.load(ImportMemory::pathFor(document), &error))
        throw Failure{BadInput, error};
    const BankStatement::Statement statement = readStatement(format, args.at(1), account, memory);
    if (!statement.error.isEmpty())
        throw Failure{BadInput, statement.error};

    ErrorStreamNotices notices(err);
    DocumentSet set;
    set.load(document, clock.today(), notices);
    BudgetStore &store = set.model.budget().store();
    const auto plan =
        StatementImport::plan(store, account, accountKnown(store, account), statement.transactions, memory);
    using S = ExchangeItem::Status;
    for (const auto &item : plan.items) {
        if (item.status == S::Refused)
            err << QStringLiteral("Refusé : %1 (%2)").arg(StatementImport::labelOf(item.transaction), item.reason)
                << Qt::endl;
    }
    const int added = StatementImport::apply(store, plan, &memory);
    if (added > 0) {
        set.saveBudget(clock, notices);
        if (!memory.save(ImportMemory::pathFor(document), &error))
            throw Failure{WriteFailed, error};
    }
    out << QStringLiteral("%1 ajouté(s), %2 déjà présent(s), %3 refusé(s)")
               .arg(added)
               .arg(plan.count(S::Present))
               .arg(plan.items.size() - added - plan.count(S::Present))
        << Qt::endl;
    return !plan.items.isEmpty() && plan.count(S::Refused) == plan.items.size() ? AllRefused : Done;
}

} // namespace

bool handles(const QString &format)
{
    return BankStatement::formatNamed(format).has_value();
}

int run(const QCommandLineParser &parser, const QString &format, const Clock &clock, QTextStream &out, QTextStream &err)
{
    try {
        return import(parser, *BankStatement::formatNamed(format), clock, out, err);
    } catch (const Failure &f) {
        err << f.message << Qt::endl;
        return f.status;
    }
}

} // namespace StatementCommand
