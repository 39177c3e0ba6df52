// What the services share about accounts: the key an account is stored under and the password
// check of the requests that carry one.
#pragma once

#include <string>

namespace tarvo::server {

struct ServerContext;

// Nicks are Latin: the key is the nick in lower case, so "Bob" and "bob" are one account.
std::string AccountKey(const std::string& nick);

enum class PasswordCheck { Right, NoAccount, Wrong, DatabaseFailed };
PasswordCheck CheckPassword(ServerContext& context, const std::string& key, const std::string& password,
                            std::string* why);

} // namespace tarvo::server
