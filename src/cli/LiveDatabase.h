#pragma once

#include "dictionary/DBOraClass.h"

#include <memory>
#include <string>

namespace quorvex {

// What reading a model from a live database needs: the login and the reader's switches.
struct TLiveRead {
    std::string Alias;
    std::string User;
    std::string Password;
    bool IncludeSys = false;
    bool UseRule = false;
    bool UseOrdered = false;
    bool ReadSource = true;
};

// Logs in to the alias (from the engine's alias configuration) and reads the structure, then
// the source unless switched off, as Export To File does. The model's UserName is the login
// user in upper case and its SourceName alias + "." + that name, as after a login. Engine
// failures (unknown alias, refused login, SQL error) pass on as Exceptions.
std::unique_ptr<TDBNewOracle> ReadLiveModel(const TLiveRead& read, const TProgress& progress);

// The password operand as given, or for "-" the value of $QUORVEX_PASSWORD, so that it does
// not show in process lists. An Exception when "-" is given and the variable is not set.
std::string ResolvePassword(const std::string& operand);

} // namespace quorvex
