#pragma once

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "sql/sqladoserver.h"

// A fresh Access database file in a temporary directory with an open connection; the
// tables are the test's business.
class TempAccessDB : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(Dir.isValid());
    Server.SetADODBTyp(MSAccess);
    Server.DataSource = Dir.filePath(QStringLiteral("ZEPRouting.mdb"));
    ASSERT_TRUE(Server.CreateAccessDatabase()) << Server.SQLErrorMsg.toStdString();
    ASSERT_TRUE(Server.Connect()) << Server.SQLErrorMsg.toStdString();
  }

  void Exec(const QString& Statement) {
    ASSERT_TRUE(Server.ExecSQLStatement(Statement))
        << Statement.toStdString() << ": " << Server.SQLErrorMsg.toStdString();
  }

  QTemporaryDir Dir;
  TSQLADOServer Server;
};
