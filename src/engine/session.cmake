# Session, aliases, backends and the embedded engine.
target_sources(quorvex_engine PRIVATE
    AliasConfig.cpp
    AliasStore.cpp
    EmbeddedConnection.cpp
    EmbeddedLogin.cpp
    EngineMessages.cpp
    FieldConversion.cpp
    QtDatabase.cpp
    QtSession.cpp
    QtSqlConnection.cpp
    QtSqlCursor.cpp
    SchemaFiles.cpp
    SessionQuery.cpp
    SessionStoredProc.cpp
    SqliteCursor.cpp
    SqliteStatement.cpp
    SqliteStatementPreparer.cpp
    StatementParams.cpp
    ValueConversion.cpp
)
