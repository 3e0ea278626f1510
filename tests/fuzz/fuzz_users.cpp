// The user list ("GetAllUsers"), the role of a "Login" reply and what a user addition's
// reply tells the user manager.
#include "fuzzinput.h"

#include "admin/users.h"
#include "net/loginreply.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    net::CommandResult result;
    result.body = fuzz::bytesOf(data, size);
    result.reply = Transport::parseObject(result.body);

    admin::usersOfReply(result.reply);
    roleFromReply(result.reply);
    result.outcome = result.command() != QLatin1String("AddUser") ? net::CommandResult::Outcome::WrongCommand
                     : result.statusOk()                          ? net::CommandResult::Outcome::Ok
                                                                  : net::CommandResult::Outcome::Refused;
    admin::manageOutcome(result);
    return 0;
}
