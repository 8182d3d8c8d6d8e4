-- QVXServer database: every table the client and the tool read or write.
-- Portable DDL: the same text runs on SQLite and on MariaDB (lower_case_table_names=1).
-- One statement per semicolon. Names compare without regard to case on both engines.
--
-- Request tables: one row per request; the client writes sr_flag 1 (or 0 for
-- transfers that wait for approval); the bank moves rows to 2 (sent) and 4
-- (answered) and fills the answer columns (ERRCODE, RECEIVEDATE, RECEIVETIME and
-- the own answer fields). Message numbers (SeqNo) are unique as handed out
-- by max_seqno, but rows of the automatic send module carry numbers from the drop
-- file, so no uniqueness is enforced here; the indexes only serve the lookups.
-- Every column the client fills with a quoted text is a varchar (an empty text
-- must be accepted); SeqNo and TranSeqNo are written bare and are integers.

CREATE TABLE Trsum (
  SendDate varchar(20),
  SendTime varchar(20),
  Service varchar(20),
  SeqNo int,
  SendID varchar(20),
  RecvID varchar(20),
  FirmID varchar(20),
  BankID varchar(20),
  USERID varchar(20),
  SendFlag varchar(20),
  ERRCODE varchar(20),
  MoBankNo varchar(30),
  TotalCnt varchar(20),
  TotalGum varchar(20),
  InOkCnt varchar(20),
  InOkGum varchar(20),
  InErrCnt varchar(20),
  InErrGum varchar(20),
  TaOkCnt varchar(20),
  TaOkGum varchar(20),
  TaErrCnt varchar(20),
  TaErrGum varchar(20),
  Fee varchar(20),
  InSuCnt varchar(20),
  InSuGum varchar(20),
  InSuErrCnt varchar(20),
  InSuErrGum varchar(20),
  TrGubun varchar(20),
  SelectArea1 varchar(255),
  Dummy varchar(255),
  sr_flag varchar(20),
  COMMON_DUMMY varchar(255),
  up_gubuncode varchar(20),
  RECEIVEDATE varchar(20),
  RECEIVETIME varchar(20)
);

CREATE TABLE Vas_Trsum (
  SendDate varchar(20),
  SendTime varchar(20),
  Service varchar(20),
  SeqNo int,
  SendID varchar(20),
  RecvID varchar(20),
  FirmID varchar(20),
  BankID varchar(20),
  USERID varchar(20),
  SendFlag varchar(20),
  ERRCODE varchar(20),
  TransDate varchar(20),
  GiKwanCode varchar(20),
  Ibgum_tot_gun varchar(20),
  Ibgum_tot_money varchar(20),
  Ibgum_cnl_gun varchar(20),
  Ibgum_cnl_Money varchar(20),
  Chul_tot_gun varchar(20),
  Chul_tot_money varchar(20),
  Chul_cnl_gun varchar(20),
  Chul_cnl_money varchar(20),
  Fee_gun varchar(20),
  Fee_Money varchar(20),
  Dummy varchar(255),
  sr_flag varchar(20),
  COMMON_DUMMY varchar(255),
  up_gubuncode varchar(20),
  RECEIVEDATE varchar(20),
  RECEIVETIME varchar(20)
);

CREATE TABLE giche (
  SendDate varchar(20),
  SendTime varchar(20),
  Service varchar(20),
  SeqNo int,
  SendID varchar(20),
  RecvID varchar(20),
  FirmID varchar(20),
  BankID varchar(20),
  USERID varchar(20),
  CFMID varchar(20),
  SendFlag varchar(20),
  MoBankNo varchar(30),
  PassWd varchar(30),
  Boki varchar(30),
  Gubun varchar(20),
  Price varchar(20),
  Sign varchar(20),
  Remain varchar(20),
  TRANS_BankID varchar(20),
  BankNo varchar(30),
  Fee varchar(20),
  CmsCode varchar(40),
  Name varchar(100),
  TaProcNo varchar(40),
  TaErrFee varchar(20),
  TaErrPrice varchar(20),
  TaErrMoney varchar(20),
  Dummy varchar(255),
  sr_flag varchar(20),
  up_gubuncode varchar(20),
  COMMON_DUMMY varchar(255),
  ERRCODE varchar(20),
  RECEIVEDATE varchar(20),
  RECEIVETIME varchar(20)
);

CREATE TABLE cmsjiche102 (
  SendDate varchar(20),
  SendTime varchar(20),
  Service varchar(20),
  SeqNo int,
  SendID varchar(20),
  RecvID varchar(20),
  FirmID varchar(20),
  BankID varchar(20),
  USERID varchar(20),
  CFMID varchar(20),
  SendFlag varchar(20),
  bankNo varchar(30),
  PassWd varchar(30),
  Boki varchar(30),
  Gubun varchar(20),
  Price varchar(20),
  Sign varchar(20),
  Remain varchar(20),
  TRANS_BankID varchar(20),
  MoBankNo varchar(30),
  Fee varchar(20),
  CmsCode varchar(40),
  Name varchar(100),
  TaProcNo varchar(40),
  JuminNo varchar(40),
  JuFlag varchar(20),
  JuMoney varchar(20),
  nonJuMoney varchar(20),
  Dummy varchar(255),
  sr_flag varchar(20),
  up_gubuncode varchar(20),
  COMMON_DUMMY varchar(255),
  ERRCODE varchar(20),
  RECEIVEDATE varchar(20),
  RECEIVETIME varchar(20)
);

CREATE TABLE CMSJICHE103 (
  SendDate varchar(20),
  SendTime varchar(20),
  Service varchar(20),
  SeqNo int,
  SendID varchar(20),
  RecvID varchar(20),
  FirmID varchar(20),
  BankID varchar(20),
  USERID varchar(20),
  CFMID varchar(20),
  SendFlag varchar(20),
  MoBankNo varchar(30),
  PassWd varchar(30),
  Boki varchar(30),
  Gubun varchar(20),
  Price varchar(20),
  Sign varchar(20),
  Remain varchar(20),
  TRANS_BankID varchar(20),
  BankNo varchar(30),
  Fee varchar(20),
  CmsCode varchar(40),
  Name varchar(100),
  TaProcNo varchar(40),
  JuminNo varchar(40),
  JuFlag varchar(20),
  JuMoney varchar(20),
  nonJuMoney varchar(20),
  Dummy varchar(255),
  sr_flag varchar(20),
  up_gubuncode varchar(20),
  COMMON_DUMMY varchar(255),
  ERRCODE varchar(20),
  RECEIVEDATE varchar(20),
  RECEIVETIME varchar(20)
);

CREATE TABLE Icheresult (
  SendDate varchar(20),
  SendTime varchar(20),
  Service varchar(20),
  SeqNo int,
  SendID varchar(20),
  RecvID varchar(20),
  FirmID varchar(20),
  BankID varchar(20),
  USERID varchar(20),
  SendFlag varchar(20),
  ICHE_SendDate varchar(20),
  org_seqno varchar(20),
  MoBankNo varchar(30),
  TRANS_BankID varchar(20),
  BankNo varchar(30),
  Gubun varchar(20),
  Price varchar(20),
  ProcTime varchar(20),
  Fee varchar(20),
  CmsCode varchar(40),
  Name varchar(100),
  SubSeq varchar(20),
  ProcResult varchar(20),
  TaProcNo varchar(40),
  Dummy varchar(255),
  sr_flag varchar(20),
  COMMON_DUMMY varchar(255),
  up_gubuncode varchar(20),
  ERRCODE varchar(20),
  RECEIVEDATE varchar(20),
  RECEIVETIME varchar(20)
);

CREATE TABLE icheresult_102 (
  SendDate varchar(20),
  SendTime varchar(20),
  Service varchar(20),
  SeqNo int,
  SendID varchar(20),
  RecvID varchar(20),
  FirmID varchar(20),
  BankID varchar(20),
  USERID varchar(20),
  SendFlag varchar(20),
  ERRCODE varchar(20),
  ICHE_SendDate varchar(20),
  ORG_SEQNO varchar(20),
  BankNo varchar(30),
  TRANS_BankID varchar(20),
  MoBankNo varchar(30),
  Dummy1 varchar(255),
  Price varchar(20),
  ProcTime varchar(20),
  Fee varchar(20),
  CmsCode varchar(40),
  Name varchar(100),
  SubSeq varchar(20),
  ProcResult varchar(20),
  TaProcNo varchar(40),
  JuminNo varchar(40),
  JuFlag varchar(20),
  JuMoney varchar(20),
  nonJuMoney varchar(20),
  Dummy2 varchar(255),
  up_gubuncode varchar(20),
  sr_flag varchar(20),
  COMMON_DUMMY varchar(255),
  RECEIVEDATE varchar(20),
  RECEIVETIME varchar(20)
);

CREATE TABLE icheresult_103 (
  SendDate varchar(20),
  SendTime varchar(20),
  Service varchar(20),
  SeqNo int,
  SendID varchar(20),
  RecvID varchar(20),
  FirmID varchar(20),
  BankID varchar(20),
  USERID varchar(20),
  SendFlag varchar(20),
  ERRCODE varchar(20),
  ICHE_SendDate varchar(20),
  ORG_SEQNO varchar(20),
  BankNo varchar(30),
  TRANS_BankID varchar(20),
  MoBankNo varchar(30),
  Dummy1 varchar(255),
  Price varchar(20),
  ProcTime varchar(20),
  Fee varchar(20),
  CmsCode varchar(40),
  Name varchar(100),
  SubSeq varchar(20),
  ProcResult varchar(20),
  TaProcNo varchar(40),
  JuminNo varchar(40),
  JuFlag varchar(20),
  JuMoney varchar(20),
  nonJuMoney varchar(20),
  Dummy2 varchar(255),
  up_gubuncode varchar(20),
  sr_flag varchar(20),
  COMMON_DUMMY varchar(255),
  RECEIVEDATE varchar(20),
  RECEIVETIME varchar(20)
);

CREATE TABLE amt_search (
  SendDate varchar(20),
  SendTime varchar(20),
  Service varchar(20),
  SeqNo int,
  SendID varchar(20),
  RecvID varchar(20),
  FirmID varchar(20),
  BankID varchar(20),
  USERID varchar(20),
  SendFlag varchar(20),
  BankNo varchar(30),
  Sign varchar(20),
  JanWon varchar(20),
  Param1 varchar(100),
  Param2 varchar(100),
  Param3 varchar(100),
  AbleWon varchar(20),
  Dummy varchar(255),
  sr_flag varchar(20),
  COMMON_DUMMY varchar(255),
  up_gubuncode varchar(20),
  ERRCODE varchar(20),
  RECEIVEDATE varchar(20),
  RECEIVETIME varchar(20)
);

CREATE TABLE tcount_search (
  SendDate varchar(20),
  SendTime varchar(20),
  Service varchar(20),
  SeqNo int,
  SendID varchar(20),
  RecvID varchar(20),
  FirmID varchar(20),
  BankID varchar(20),
  USERID varchar(20),
  SendFlag varchar(20),
  searchDate varchar(20),
  sr_flag varchar(20),
  COMMON_DUMMY varchar(255),
  up_gubuncode varchar(20),
  ERRCODE varchar(20),
  RECEIVEDATE varchar(20),
  RECEIVETIME varchar(20),
  DepositCnt varchar(20),
  BGDataCnt varchar(20),
  TaErrCnt varchar(20)
);

CREATE TABLE SMS_Trans (
  SendDate varchar(20),
  SendTime varchar(20),
  Service varchar(20),
  SeqNo int,
  SendID varchar(20),
  RecvID varchar(20),
  BankID varchar(20),
  USERID varchar(20),
  SendFlag varchar(20),
  TranSeqNo int,
  RecvName varchar(100),
  RecvTelNo varchar(40),
  SendTelNo varchar(40),
  ReserveDate varchar(20),
  Message varchar(255),
  Dummy varchar(255),
  sr_flag varchar(20),
  up_gubuncode varchar(20),
  COMMON_DUMMY varchar(255),
  ERRCODE varchar(20),
  RECEIVEDATE varchar(20),
  RECEIVETIME varchar(20)
);

CREATE TABLE TA_NAME_SEARCH (
  SendDate varchar(20),
  SendTime varchar(20),
  Service varchar(20),
  SeqNo int,
  SendID varchar(20),
  RecvID varchar(20),
  FirmID varchar(20),
  BankID varchar(20),
  USERID varchar(20),
  SendFlag varchar(20),
  MoBankNo varchar(30),
  MoPassWd varchar(30),
  MoBoki varchar(30),
  NotUse1 varchar(100),
  Price varchar(20),
  NotUse2 varchar(100),
  NotUse3 varchar(100),
  TRANS_BankID varchar(20),
  BankNo varchar(30),
  Fee varchar(20),
  NotUse4 varchar(100),
  Name varchar(100),
  NotUse5 varchar(100),
  RRNoCheck varchar(40),
  Dummy varchar(255),
  sr_flag varchar(20),
  COMMON_DUMMY varchar(255),
  up_gubuncode varchar(20),
  RECEIVEDATE varchar(20),
  RECEIVETIME varchar(20),
  ERRCODE varchar(20)
);

CREATE TABLE DEPOSIT_ORDER (
  SendDate varchar(20),
  SendTime varchar(20),
  Service varchar(20),
  SeqNo int,
  SendID varchar(20),
  RecvID varchar(20),
  FirmID varchar(20),
  BankID varchar(20),
  USERID varchar(20),
  SendFlag varchar(20),
  DEPOSIT_SendDate varchar(20),
  ORG_SEQNO varchar(20),
  MOBANKNO varchar(30),
  Gubun varchar(20),
  InBankID varchar(20),
  Price varchar(20),
  Sign varchar(20),
  Remain varchar(20),
  BrCode varchar(40),
  Name varchar(100),
  NoteNo varchar(40),
  Param1 varchar(100),
  Param2 varchar(100),
  Param3 varchar(100),
  InCode varchar(40),
  InTime varchar(20),
  InDate varchar(20),
  Dummy varchar(255),
  sr_flag varchar(20),
  COMMON_DUMMY varchar(255),
  up_gubuncode varchar(20),
  RECEIVEDATE varchar(20),
  RECEIVETIME varchar(20),
  ERRCODE varchar(20)
);

CREATE TABLE V_DEPOSIT_ORDER (
  SENDDATE varchar(20),
  SENDTIME varchar(20),
  SERVICE varchar(20),
  SEQNO int,
  SENDID varchar(20),
  RECVID varchar(20),
  FIRMID varchar(20),
  BANKID varchar(20),
  USERID varchar(20),
  SENDFLAG varchar(20),
  ERRCODE varchar(20),
  DEPOSIT_SENDDATE varchar(20),
  ORG_SEQNO varchar(20),
  MOBANKNO varchar(30),
  GUBUN varchar(20),
  INBANKID varchar(20),
  PRICE varchar(20),
  SIGN varchar(20),
  REMAIN varchar(20),
  BRCODE varchar(40),
  NAME varchar(100),
  JAGI varchar(20),
  GAGAE varchar(20),
  V_BANKNO varchar(30),
  JUMINNO varchar(40),
  INTIME varchar(20),
  ORG_DATE varchar(20),
  ORG_NO varchar(40),
  DUMMY varchar(255),
  RECEIVETIME varchar(20),
  RECEIVEDATE varchar(20),
  COMMON_DUMMY varchar(255),
  up_gubuncode varchar(20),
  SR_FLAG varchar(20)
);

CREATE TABLE TA_ICHE_ORDER (
  SendDate varchar(20),
  SendTime varchar(20),
  Service varchar(20),
  SeqNo int,
  SendID varchar(20),
  RecvID varchar(20),
  FirmID varchar(20),
  BankID varchar(20),
  USERID varchar(20),
  SendFlag varchar(20),
  errcode varchar(20),
  TA_ICHE_SendDate varchar(20),
  ORG_SEQNO varchar(20),
  BANK_SEQNO varchar(20),
  MoBankNo varchar(30),
  TRANS_BankID varchar(20),
  BankNo varchar(30),
  Gubun varchar(20),
  Price varchar(20),
  ProcTime varchar(20),
  Fee varchar(20),
  CmsCode varchar(40),
  Name varchar(100),
  SubSeq varchar(20),
  ProcResult varchar(20),
  TaProcNo varchar(40),
  Dummy varchar(255),
  sr_flag varchar(20),
  COMMON_DUMMY varchar(255),
  up_gubuncode varchar(20),
  receivedate varchar(20),
  receivetime varchar(20)
);

CREATE TABLE DRAFT_ORDER (
  SendDate varchar(20),
  SendTime varchar(20),
  Service varchar(20),
  SeqNo int,
  SendID varchar(20),
  RecvID varchar(20),
  FirmID varchar(20),
  BankID varchar(20),
  USERID varchar(20),
  SendFlag varchar(20),
  DRAFT_SENDDATE varchar(20),
  ORG_SEQNO varchar(20),
  GUBUN varchar(20),
  BANKNO varchar(30),
  IBGUMCODE varchar(40),
  DRAFTNO varchar(40),
  DRAFTKIND varchar(20),
  DRAFTMONEY varchar(20),
  PUB_NAME varchar(100),
  DEP_NAME varchar(100),
  SUTAK_DATE varchar(20),
  MANKI_DATE varchar(20),
  PAY_BANKNAME varchar(100),
  PAY_DEPARTNAME varchar(100),
  DangTa_gubun varchar(20),
  GYULJE_BANKNO varchar(30),
  TRANS_DEPART varchar(100),
  SELECTAREA1 varchar(255),
  SELECTAREA2 varchar(255),
  DUMMY varchar(255),
  sr_flag varchar(20),
  COMMON_DUMMY varchar(255),
  up_gubuncode varchar(20),
  RECEIVEDATE varchar(20),
  RECEIVETIME varchar(20),
  ERRCODE varchar(20)
);

-- Notices pushed by the banks (and the answers to the gap requests).

CREATE TABLE deposit (
  SENDDATE varchar(20),
  SENDTIME varchar(20),
  SERVICE varchar(20),
  SEQNO int,
  SENDID varchar(20),
  RECVID varchar(20),
  FIRMID varchar(20),
  BANKID varchar(20),
  USERID varchar(20),
  SENDFLAG varchar(20),
  ERRCODE varchar(20),
  DEPOSIT_SENDDATE varchar(20),
  ORG_SEQNO varchar(20),
  MOBANKNO varchar(30),
  GUBUN varchar(20),
  INBANKID varchar(20),
  PRICE varchar(20),
  SIGN varchar(20),
  REMAIN varchar(20),
  BRCODE varchar(40),
  NAME varchar(100),
  NOTENO varchar(40),
  PARAM1 varchar(100),
  PARAM2 varchar(100),
  PARAM3 varchar(100),
  INCODE varchar(40),
  INTIME varchar(20),
  INDATE varchar(20),
  DUMMY varchar(255),
  RECEIVETIME varchar(20),
  RECEIVEDATE varchar(20),
  COMMON_DUMMY varchar(255),
  UP_GUBUNCODE varchar(20),
  SR_FLAG varchar(20)
);

CREATE TABLE V_deposit (
  SENDDATE varchar(20),
  SENDTIME varchar(20),
  SERVICE varchar(20),
  SEQNO int,
  SENDID varchar(20),
  RECVID varchar(20),
  FIRMID varchar(20),
  BANKID varchar(20),
  USERID varchar(20),
  SENDFLAG varchar(20),
  ERRCODE varchar(20),
  DEPOSIT_SENDDATE varchar(20),
  ORG_SEQNO varchar(20),
  MOBANKNO varchar(30),
  GUBUN varchar(20),
  INBANKID varchar(20),
  PRICE varchar(20),
  SIGN varchar(20),
  REMAIN varchar(20),
  BRCODE varchar(40),
  NAME varchar(100),
  JAGI varchar(20),
  GAGAE varchar(20),
  V_BANKNO varchar(30),
  JUMINNO varchar(40),
  INTIME varchar(20),
  ORG_DATE varchar(20),
  ORG_NO varchar(40),
  DUMMY varchar(255),
  RECEIVETIME varchar(20),
  RECEIVEDATE varchar(20),
  COMMON_DUMMY varchar(255),
  UP_GUBUNCODE varchar(20),
  SR_FLAG varchar(20)
);

CREATE TABLE draft (
  SENDDATE varchar(20),
  SENDTIME varchar(20),
  SERVICE varchar(20),
  SEQNO int,
  SENDID varchar(20),
  RECVID varchar(20),
  FIRMID varchar(20),
  BANKID varchar(20),
  USERID varchar(20),
  SENDFLAG varchar(20),
  ERRCODE varchar(20),
  DRAFT_SENDDATE varchar(20),
  ORG_SEQNO varchar(20),
  GUBUN varchar(20),
  BANKNO varchar(30),
  IBGUMCODE varchar(40),
  DRAFTNO varchar(40),
  DRAFTKIND varchar(20),
  DRAFTMONEY varchar(20),
  PUB_NAME varchar(100),
  DEP_NAME varchar(100),
  SUTAK_DATE varchar(20),
  MANKI_DATE varchar(20),
  PAY_BANKNAME varchar(100),
  PAY_DEPARTNAME varchar(100),
  DANGTA_GUBUN varchar(20),
  GYULJE_BANKNO varchar(30),
  TRANS_DEPART varchar(100),
  SELECTAREA1 varchar(255),
  SELECTAREA2 varchar(255),
  DUMMY varchar(255),
  RECEIVETIME varchar(20),
  RECEIVEDATE varchar(20),
  COMMON_DUMMY varchar(255),
  UP_GUBUNCODE varchar(20),
  SR_FLAG varchar(20)
);

CREATE TABLE ta_iche_err (
  SENDDATE varchar(20),
  SENDTIME varchar(20),
  SERVICE varchar(20),
  SEQNO int,
  SENDID varchar(20),
  RECVID varchar(20),
  FIRMID varchar(20),
  BANKID varchar(20),
  USERID varchar(20),
  SENDFLAG varchar(20),
  ERRCODE varchar(20),
  ERR_SENDDATE varchar(20),
  ORG_SEQNO varchar(20),
  BANK_SEQNO varchar(20),
  MOBANKNO varchar(30),
  TRANS_BANKID varchar(20),
  BANKNO varchar(30),
  GUBUN varchar(20),
  PRICE varchar(20),
  PROCTIME varchar(20),
  FEE varchar(20),
  CMSCODE varchar(40),
  NAME varchar(100),
  SUBSEQ varchar(20),
  PROCRESULT varchar(20),
  TAPROCNO varchar(40),
  DUMMY varchar(255),
  RECEIVETIME varchar(20),
  RECEIVEDATE varchar(20),
  COMMON_DUMMY varchar(255),
  UP_GUBUNCODE varchar(20),
  SR_FLAG varchar(20)
);

-- Reference data of the company.
CREATE TABLE users (
  userid varchar(20) NOT NULL,
  pwd varchar(50),
  username varchar(50),
  authorcode varchar(2),
  regdate varchar(8),
  PRIMARY KEY (userid)
);

CREATE TABLE authority (
  authorcode varchar(2) NOT NULL,
  authorcontents varchar(50),
  PRIMARY KEY (authorcode)
);

CREATE TABLE allbank (
  bankid varchar(2) NOT NULL,
  bankname varchar(50),
  PRIMARY KEY (bankid)
);

CREATE TABLE bank (
  BANKID varchar(2) NOT NULL,
  MOBANKNO varchar(30) NOT NULL,
  BANKNAME varchar(50),
  FIRMID varchar(20),
  SUMFLAG varchar(2),
  REGDATE varchar(8),
  SENDNAME varchar(100),
  PASSWD varchar(20),
  DBLPASSWD varchar(20),
  TR_GUBUNCODE varchar(2),
  RECVID varchar(20),
  PRIMARY KEY (BANKID, MOBANKNO)
);

CREATE TABLE error (
  bankid varchar(2) NOT NULL,
  errcode varchar(10) NOT NULL,
  errcontents varchar(100),
  PRIMARY KEY (bankid, errcode)
);

CREATE TABLE CONFIG (
  serverip varchar(40),
  nevarid varchar(20),
  transport varchar(10),
  recvport varchar(10),
  transtime varchar(10),
  recvtime varchar(10),
  servicediv varchar(10),
  opt varchar(100),
  up_serverip varchar(40),
  up_transport varchar(10)
);

CREATE TABLE OPT (
  ID varchar(20) NOT NULL,
  Value varchar(100),
  PRIMARY KEY (ID)
);

CREATE TABLE SecuCard (
  BankId varchar(2) NOT NULL,
  No int NOT NULL,
  Code varchar(10),
  PRIMARY KEY (BankId, No)
);

CREATE TABLE upgubun (
  up_gubuncode varchar(10) NOT NULL,
  gubuncontents varchar(100),
  PRIMARY KEY (up_gubuncode)
);

CREATE TABLE daesang (
  name varchar(100),
  bankno varchar(30),
  bankid varchar(2),
  TelNo_1 varchar(4),
  TelNo_2 varchar(4),
  TelNo_3 varchar(4),
  residentno varchar(20)
);

-- Transaction kinds of the notices: divflag 1 deposit notices, 2 stored-bill notices.
CREATE TABLE transdiv (
  bankid varchar(2) NOT NULL,
  transdivcode varchar(4) NOT NULL,
  transdivcontents varchar(50),
  divflag varchar(1) NOT NULL,
  PRIMARY KEY (bankid, divflag, transdivcode)
);

CREATE TABLE draftkind (
  bankid varchar(2) NOT NULL,
  draftkindcode varchar(4) NOT NULL,
  draftkindcontents varchar(50),
  PRIMARY KEY (bankid, draftkindcode)
);

CREATE TABLE dangtagubun (
  bankid varchar(2) NOT NULL,
  dangtacode varchar(4) NOT NULL,
  dangtacontents varchar(50),
  PRIMARY KEY (bankid, dangtacode)
);

-- Conversion layouts: start positions (S) and sizes (N) of the fields of a line.
CREATE TABLE convertG (
  Title varchar(100),
  BankIdS int, BankIdN int,
  BankNoS int, BankNoN int,
  MoneyS int, MoneyN int,
  SNameS int, SNameN int,
  GubunS int, GubunN int,
  CInfoS int, CInfoN int
);

CREATE TABLE convertG_s (
  Title varchar(100),
  moBankIdS int, moBankIdN int,
  moBankNoS int, moBankNoN int,
  GubunS int, GubunN int,
  BankIdS int, BankIdN int,
  BankNoS int, BankNoN int,
  MoneyS int, MoneyN int,
  SNameS int, SNameN int,
  CInfoS int, CInfoN int,
  SeqNoS int, SeqNoN int
);

CREATE TABLE ConvertJ (
  Title varchar(100),
  BankIdS int, BankIdN int,
  BankNoS int, BankNoN int,
  JuMoneyS int, JuMoneyN int,
  BJuMoneyS int, BJuMoneyN int,
  MoneyS int, MoneyN int,
  CInfoS int, CInfoN int,
  SNameS int, SNameN int,
  GubunS int, GubunN int,
  JuminS int, JuminN int
);

CREATE TABLE ConvertJ_s (
  Title varchar(100),
  moBankIdS int, moBankIdN int,
  moBankNoS int, moBankNoN int,
  GubunS int, GubunN int,
  BankIdS int, BankIdN int,
  BankNoS int, BankNoN int,
  JuMoneyS int, JuMoneyN int,
  BJuMoneyS int, BJuMoneyN int,
  MoneyS int, MoneyN int,
  SNameS int, SNameN int,
  JuminS int, JuminN int,
  CInfoS int, CInfoN int
);

-- Lookups of the screens and of the bank.
CREATE INDEX ix_trsum_seq ON Trsum (SENDDATE, SEQNO);
CREATE INDEX ix_trsum_time ON Trsum (SENDDATE, SENDTIME);
CREATE INDEX ix_vas_trsum_seq ON Vas_Trsum (SENDDATE, SEQNO);
CREATE INDEX ix_vas_trsum_time ON Vas_Trsum (SENDDATE, SENDTIME);
CREATE INDEX ix_giche_seq ON giche (SENDDATE, SEQNO);
CREATE INDEX ix_giche_time ON giche (SENDDATE, SENDTIME);
CREATE INDEX ix_cmsjiche102_seq ON cmsjiche102 (SENDDATE, SEQNO);
CREATE INDEX ix_cmsjiche102_time ON cmsjiche102 (SENDDATE, SENDTIME);
CREATE INDEX ix_cmsjiche103_seq ON CMSJICHE103 (SENDDATE, SEQNO);
CREATE INDEX ix_cmsjiche103_time ON CMSJICHE103 (SENDDATE, SENDTIME);
CREATE INDEX ix_icheresult_seq ON Icheresult (SENDDATE, SEQNO);
CREATE INDEX ix_icheresult_time ON Icheresult (SENDDATE, SENDTIME);
CREATE INDEX ix_icheresult_102_seq ON icheresult_102 (SENDDATE, SEQNO);
CREATE INDEX ix_icheresult_102_time ON icheresult_102 (SENDDATE, SENDTIME);
CREATE INDEX ix_icheresult_103_seq ON icheresult_103 (SENDDATE, SEQNO);
CREATE INDEX ix_icheresult_103_time ON icheresult_103 (SENDDATE, SENDTIME);
CREATE INDEX ix_amt_search_seq ON amt_search (SENDDATE, SEQNO);
CREATE INDEX ix_amt_search_time ON amt_search (SENDDATE, SENDTIME);
CREATE INDEX ix_tcount_search_seq ON tcount_search (SENDDATE, SEQNO);
CREATE INDEX ix_tcount_search_time ON tcount_search (SENDDATE, SENDTIME);
CREATE INDEX ix_sms_trans_seq ON SMS_Trans (SENDDATE, SEQNO);
CREATE INDEX ix_sms_trans_time ON SMS_Trans (SENDDATE, SENDTIME);
CREATE INDEX ix_ta_name_search_seq ON TA_NAME_SEARCH (SENDDATE, SEQNO);
CREATE INDEX ix_ta_name_search_time ON TA_NAME_SEARCH (SENDDATE, SENDTIME);
CREATE INDEX ix_deposit_order_seq ON DEPOSIT_ORDER (SENDDATE, SEQNO);
CREATE INDEX ix_deposit_order_time ON DEPOSIT_ORDER (SENDDATE, SENDTIME);
CREATE INDEX ix_v_deposit_order_seq ON V_DEPOSIT_ORDER (SENDDATE, SEQNO);
CREATE INDEX ix_v_deposit_order_time ON V_DEPOSIT_ORDER (SENDDATE, SENDTIME);
CREATE INDEX ix_ta_iche_order_seq ON TA_ICHE_ORDER (SENDDATE, SEQNO);
CREATE INDEX ix_ta_iche_order_time ON TA_ICHE_ORDER (SENDDATE, SENDTIME);
CREATE INDEX ix_draft_order_seq ON DRAFT_ORDER (SENDDATE, SEQNO);
CREATE INDEX ix_draft_order_time ON DRAFT_ORDER (SENDDATE, SENDTIME);
CREATE INDEX ix_deposit_date ON deposit (DEPOSIT_SENDDATE, BANKID, ORG_SEQNO);
CREATE INDEX ix_v_deposit_date ON V_deposit (DEPOSIT_SENDDATE, BANKID, ORG_SEQNO);
CREATE INDEX ix_draft_date ON draft (DRAFT_SENDDATE, BANKID, ORG_SEQNO);
CREATE INDEX ix_ta_iche_err_date ON ta_iche_err (ERR_SENDDATE, BANKID, BANK_SEQNO);
