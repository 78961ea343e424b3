-- The shop's service record on a PostgreSQL 15 server: a database, an owner that creates and
-- migrates the tables, and one role per bench that may add to the record but never remove
-- from it. Run as the server's superuser:  psql -v ON_ERROR_STOP=1 -f docs/server-setup.sql
--
-- Each bench then names the server in its options file (no password there):
--   [RECORD]
--   Server=postgresql://bench3@records.shop.lan/service?sslmode=verify-full
--   Bench=bench3
-- and keeps its password in ~/.pgpass (mode 0600):
--   records.shop.lan:5432:service:bench3:the-password

CREATE ROLE service_owner LOGIN PASSWORD 'change-me';
CREATE DATABASE service OWNER service_owner;
\connect service

-- The tables are made by the program: the first start of a bench connected as service_owner
-- creates them, and so does each new version of the program that brings a new schema:
--   qxt7130-adj --record-server 'postgresql://service_owner@records.shop.lan/service?sslmode=verify-full' --history
-- A bench role cannot create tables; a bench of a newer version than the server's tables says
-- so in its status bar and keeps its events until the owner has run it once.
SET ROLE service_owner;
CREATE TABLE IF NOT EXISTS schema_version (version integer NOT NULL, reached timestamptz NOT NULL DEFAULT now());
RESET ROLE;

-- What every bench may do: read the shop's record, add rows, and bring a session, a procedure
-- or a series to its end (the only UPDATEs the program makes). No DELETE, no TRUNCATE.
CREATE ROLE bench NOLOGIN;
GRANT CONNECT ON DATABASE service TO bench;
GRANT USAGE ON SCHEMA public TO bench;
ALTER DEFAULT PRIVILEGES FOR ROLE service_owner IN SCHEMA public GRANT SELECT, INSERT ON TABLES TO bench;
ALTER DEFAULT PRIVILEGES FOR ROLE service_owner IN SCHEMA public GRANT USAGE ON SEQUENCES TO bench;
GRANT SELECT, INSERT ON schema_version TO bench;

-- Run again after the owner created the tables (the column lists are the ones that change).
-- GRANT UPDATE (bench, ended, port, device, model, sub, identity, backup_path, backup_sha256, outcome,
--               outcome_text, technician, changes, started) ON sessions TO bench;
-- GRANT UPDATE (session_id, started, ended, kind, items, start_values, end_values, outcome, note)
--   ON procedures TO bench;
-- GRANT UPDATE (procedure_id, name, reference, target, plateau_from, plateau_to, chosen, ended)
--   ON series TO bench;

-- One login per bench, so that the server's log names the bench.
CREATE ROLE bench3 LOGIN PASSWORD 'change-me' IN ROLE bench;
CREATE ROLE bench5 LOGIN PASSWORD 'change-me' IN ROLE bench;

-- TLS: in postgresql.conf
--   ssl = on
--   ssl_cert_file = 'server.crt'      (a certificate for records.shop.lan)
--   ssl_key_file = 'server.key'
-- and in pg_hba.conf only encrypted logins from the shop's network:
--   hostssl service +bench,service_owner 192.168.10.0/24 scram-sha-256
-- Each bench trusts the shop's certificate authority (~/.postgresql/root.crt) and connects with
-- sslmode=verify-full, which checks that the server is the one named.
--
-- Backups, every night on the server (one file a day, kept as long as the shop keeps records):
--   pg_dump --format=custom --file=/var/backups/service-$(date +%F).dump service
-- and a restore into an empty database:
--   pg_restore --dbname=service /var/backups/service-2026-12-07.dump
