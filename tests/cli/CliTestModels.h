#pragma once

#include "dictionary/DBOraClass.h"

#include <cstdint>
#include <string>

namespace quorvex::test {

// Small schemas for the command-line tests, written as snapshot files with SaveToFile.
//
// The current model: owner SCOTT, a view V_EMP (stored first, so a comparison has to sort)
// and a table EMP with EMPNO NUMBER(4,0) NOT NULL and ENAME VARCHAR2(10).
void BuildCurrentModel(TDBNewOracle& root);
// The target model: EMP with its second column renamed ENAME -> EMP_NAME, a new table DEPT
// with DEPTNO NUMBER(2,0) NOT NULL, and V_EMP whose text differs only in letter case.
void BuildTargetModel(TDBNewOracle& root);

void WriteCurrentSnapshot(const std::string& fileName);
void WriteTargetSnapshot(const std::string& fileName);

} // namespace quorvex::test
