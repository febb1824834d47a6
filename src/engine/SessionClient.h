#pragma once

namespace quorvex {

// A query or stored procedure of a TQtSession, told when the connection under it goes away.
class TSessionClient {
public:
    // The connection is closing: release every statement and cursor on it.
    virtual void ConnectionClosing() = 0;
    // The session is being destroyed; later use raises an Exception.
    virtual void SessionDestroyed() = 0;

protected:
    ~TSessionClient() = default;
};

} // namespace quorvex
