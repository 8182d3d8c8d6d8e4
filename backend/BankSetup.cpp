#include "backend/BankSetup.h"

#include "backend/BankConsole.h"
#include "backend/RelayServer.h"
#include "backend/ServerContext.h"

#include <cstdio>

namespace qvx {

RunningBank::~RunningBank()
{
    console.reset();
    if (context)
        context->setBatchSink(std::make_shared<NullBatchSink>());
    service.reset();
}

std::unique_ptr<RunningBank> startBank(ServerContext &context, RelayServer *relay)
{
    const ServerOptions &o = context.options();
    BankService::Settings settings;
    settings.delayMs = o.bankDelayMs;
    settings.maxPending = o.bankMaxPending;
    settings.noticeIntervalMs = o.bankNoticeSeconds * 1000;
    BankService::Announcer announcer;
    if (relay) {
        announcer.toUser = [relay](const QString &user, const QString &code) { relay->announce(user, code); };
        announcer.toAll = [relay](const QString &code) {
            for (const QString &user : relay->connectedUsers())
                relay->announce(user, code);
        };
    }
    auto bank = std::make_unique<RunningBank>();
    bank->context = &context;
    bank->service = std::make_shared<BankService>(context.sharedDatabase(), [&context] { return context.now(); },
                                                  settings, announcer, context.sharedBatchRegistry());
    try {
        bank->service->resumeStoredBatches();
    } catch (const DbError &e) {
        // They stay stored: the next start tries again.
        std::fprintf(stderr, "QVXServer bank: registrations of an earlier run not taken on: %s\n",
                     qPrintable(e.message()));
    }
    context.setBatchSink(bank->service);
    if (o.bankConsole) {
        bank->console = std::make_unique<BankConsole>(*bank->service);
        bank->console->start();
    }
    return bank;
}

} // namespace qvx
