#pragma once

#include "backend/BankService.h"

#include <memory>

namespace qvx {

class RelayServer;
class ServerContext;
class BankConsole;

// The simulated bank of a running server: a BankService with the options'
// settings, installed as the context's batch hook, announcing through the
// relay (nothing is announced when relay is null), with the stdin console
// when the options ask for it. Keep the result alive as long as the server runs.
struct RunningBank
{
    std::shared_ptr<BankService> service;
    std::unique_ptr<BankConsole> console;
    ServerContext *context = nullptr;
    ~RunningBank(); // takes the bank off the context's hook and stops its thread
};
std::unique_ptr<RunningBank> startBank(ServerContext &context, RelayServer *relay);

} // namespace qvx
