#include "EngineMessages.h"

namespace quorvex::messages {

std::string AliasNotFound(const std::string& alias)
{
    return "Alias " + alias + " not found";
}

std::string UnknownBackend(const std::string& alias, const std::string& backend)
{
    return "Alias " + alias + ": unknown BACKEND \"" + backend + "\" (use EMBEDDED, OCI or ODBC)";
}

std::string MissingQtDriver(const std::string& driver)
{
    if (driver == "QOCI")
        return "The Qt SQL driver QOCI (Oracle OCI) is not available in this Qt installation. "
               "Reach Oracle through ODBC instead: set BACKEND=ODBC in the alias, with a DSN or "
               "CONNECT STRING for Oracle's ODBC driver.";
    return "The Qt SQL driver " + driver + " is not available in this Qt installation.";
}

std::string NoEmbeddedDatabase(const std::string& folder)
{
    return "No embedded database in " + folder + " (SYS.sqlite is missing)";
}

std::string StoredProcNotSupported(const std::string& name)
{
    return "Stored procedure " + name + " is not supported by the embedded engine";
}

std::string StoredProcParamNotFound(const std::string& name)
{
    return "Parameter '" + name + "' not found";
}

std::string ConnectionInUse(const std::string& name)
{
    return "The database connection " + name + " is already in use";
}

std::string FieldIndexOutOfRange(int index)
{
    return "Field index " + std::to_string(index) + " out of range";
}

std::string ParamIndexOutOfRange(int index)
{
    return "Parameter index " + std::to_string(index) + " out of range";
}

std::string NotAnInteger(const std::string& text)
{
    return "'" + text + "' is not a valid integer value";
}

std::string NotAFloat(const std::string& text)
{
    return "'" + text + "' is not a valid floating point value";
}

std::string NotADateTime(const std::string& text)
{
    return "'" + text + "' is not a valid date and time";
}

} // namespace quorvex::messages
