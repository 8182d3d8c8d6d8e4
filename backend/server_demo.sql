-- Demo texts of the server's own tables.
DELETE FROM srv_commmsg;
INSERT INTO srv_commmsg (kind, msg) VALUES (1, '[정기 점검 안내] 매월 첫째 일요일 02:00 ~ 04:00 에는 시스템 점검으로 이체 서비스가 중단됩니다.');
INSERT INTO srv_commmsg (kind, msg) VALUES (2, 'QVXSMS01');
