-- Tables of the application server itself (each created when missing, at every start).
-- srv_seqno: the last message number handed out by max_seqno (one row).
-- srv_commmsg: texts of Get_Comm_Msg: kind 1 the notice, kind 2 the firm's SMS id.
-- srv_bankstate: the opening state of each bank of the firm, read by get_bankstate.
CREATE TABLE srv_seqno (
  lastno bigint NOT NULL
);

CREATE TABLE srv_commmsg (
  kind int NOT NULL,
  msg varchar(2000),
  PRIMARY KEY (kind)
);

CREATE TABLE srv_bankstate (
  bankid varchar(2) NOT NULL,
  firmid varchar(20) NOT NULL,
  state varchar(20),
  PRIMARY KEY (bankid, firmid)
);
