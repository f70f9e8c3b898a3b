-- The ledger's schema and the content of a pristine ledger.
-- Amounts are integer fen; dates are yyyy-MM-dd text; booleans are 0/1.
-- Bump user_version whenever a table or column changes: the program refuses other versions.
PRAGMA foreign_keys = ON;
PRAGMA user_version = 2;

CREATE TABLE 账户 (
    id       INTEGER PRIMARY KEY AUTOINCREMENT,
    账户名称 TEXT    NOT NULL UNIQUE,
    起始金额 INTEGER NOT NULL,
    备注     TEXT    NOT NULL DEFAULT '',
    余额     INTEGER NOT NULL,
    收入     INTEGER NOT NULL DEFAULT 0,
    支出     INTEGER NOT NULL DEFAULT 0,
    借入     INTEGER NOT NULL DEFAULT 0,
    付还款   INTEGER NOT NULL DEFAULT 0,
    借出     INTEGER NOT NULL DEFAULT 0,
    收借款   INTEGER NOT NULL DEFAULT 0,
    转入     INTEGER NOT NULL DEFAULT 0,
    转出     INTEGER NOT NULL DEFAULT 0
);

CREATE TABLE 收入项目 (
    收入项目 TEXT NOT NULL PRIMARY KEY
);

CREATE TABLE 支出项目 (
    支出项目 TEXT NOT NULL PRIMARY KEY
);

-- A Subcategory is keyed by its Category and its name: the same name may stand under two Categories.
CREATE TABLE 收入名称 (
    收入项目 TEXT NOT NULL REFERENCES 收入项目 (收入项目) ON UPDATE CASCADE ON DELETE CASCADE,
    收入名称 TEXT NOT NULL,
    UNIQUE (收入项目, 收入名称)
);

CREATE TABLE 支出名称 (
    支出项目 TEXT NOT NULL REFERENCES 支出项目 (支出项目) ON UPDATE CASCADE ON DELETE CASCADE,
    支出名称 TEXT NOT NULL,
    UNIQUE (支出项目, 支出名称)
);

-- Renames flow from a Category into its Subcategories and from there into the entries. Deleting a
-- Subcategory that an entry still names is refused by the engine as a last guard.
CREATE TABLE 收支表 (
    id       INTEGER PRIMARY KEY AUTOINCREMENT,
    日期     TEXT    NOT NULL CHECK (日期 GLOB '[0-9][0-9][0-9][0-9]-[0-1][0-9]-[0-3][0-9]'),
    收支类别 TEXT    NOT NULL CHECK (收支类别 IN ('收入', '支出')),
    收入项目 TEXT,
    收入名称 TEXT,
    收入金额 INTEGER,
    支出项目 TEXT,
    支出名称 TEXT,
    支出金额 INTEGER,
    结算账户 TEXT    NOT NULL,
    备注     TEXT    NOT NULL DEFAULT '',
    FOREIGN KEY (收入项目, 收入名称) REFERENCES 收入名称 (收入项目, 收入名称)
        ON UPDATE CASCADE ON DELETE RESTRICT,
    FOREIGN KEY (支出项目, 支出名称) REFERENCES 支出名称 (支出项目, 支出名称)
        ON UPDATE CASCADE ON DELETE RESTRICT
);

CREATE TABLE 借入 (
    id       INTEGER PRIMARY KEY AUTOINCREMENT,
    日期     TEXT    NOT NULL CHECK (日期 GLOB '[0-9][0-9][0-9][0-9]-[0-1][0-9]-[0-3][0-9]'),
    结算账户 TEXT    NOT NULL,
    借入金额 INTEGER NOT NULL,
    偿还金额 INTEGER NOT NULL DEFAULT 0,
    余额     INTEGER NOT NULL,
    借款人   TEXT    NOT NULL DEFAULT '',
    备注     TEXT    NOT NULL DEFAULT ''
);

CREATE TABLE 借出 (
    id       INTEGER PRIMARY KEY AUTOINCREMENT,
    日期     TEXT    NOT NULL CHECK (日期 GLOB '[0-9][0-9][0-9][0-9]-[0-1][0-9]-[0-3][0-9]'),
    结算账户 TEXT    NOT NULL,
    借出金额 INTEGER NOT NULL,
    收回金额 INTEGER NOT NULL DEFAULT 0,
    余额     INTEGER NOT NULL,
    借款人   TEXT    NOT NULL DEFAULT '',
    备注     TEXT    NOT NULL DEFAULT ''
);

-- What all loans of one side add up to, kept by the triggers below: the dashboard and the loan lists
-- read one row here instead of summing every loan.
CREATE TABLE 借贷合计 (
    表名 TEXT    NOT NULL PRIMARY KEY CHECK (表名 IN ('借入', '借出')),
    笔数 INTEGER NOT NULL DEFAULT 0,
    金额 INTEGER NOT NULL DEFAULT 0,
    归还 INTEGER NOT NULL DEFAULT 0,
    余额 INTEGER NOT NULL DEFAULT 0
);
INSERT INTO 借贷合计 (表名) VALUES ('借入'), ('借出');

CREATE TRIGGER 借入_合计_新增 AFTER INSERT ON 借入 BEGIN
    UPDATE 借贷合计 SET 笔数 = 笔数 + 1, 金额 = 金额 + NEW.借入金额, 归还 = 归还 + NEW.偿还金额,
        余额 = 余额 + NEW.余额 WHERE 表名 = '借入';
END;
CREATE TRIGGER 借入_合计_修改 AFTER UPDATE OF 借入金额, 偿还金额, 余额 ON 借入 BEGIN
    UPDATE 借贷合计 SET 金额 = 金额 + NEW.借入金额 - OLD.借入金额, 归还 = 归还 + NEW.偿还金额 - OLD.偿还金额,
        余额 = 余额 + NEW.余额 - OLD.余额 WHERE 表名 = '借入';
END;
CREATE TRIGGER 借入_合计_删除 AFTER DELETE ON 借入 BEGIN
    UPDATE 借贷合计 SET 笔数 = 笔数 - 1, 金额 = 金额 - OLD.借入金额, 归还 = 归还 - OLD.偿还金额,
        余额 = 余额 - OLD.余额 WHERE 表名 = '借入';
END;
CREATE TRIGGER 借出_合计_新增 AFTER INSERT ON 借出 BEGIN
    UPDATE 借贷合计 SET 笔数 = 笔数 + 1, 金额 = 金额 + NEW.借出金额, 归还 = 归还 + NEW.收回金额,
        余额 = 余额 + NEW.余额 WHERE 表名 = '借出';
END;
CREATE TRIGGER 借出_合计_修改 AFTER UPDATE OF 借出金额, 收回金额, 余额 ON 借出 BEGIN
    UPDATE 借贷合计 SET 金额 = 金额 + NEW.借出金额 - OLD.借出金额, 归还 = 归还 + NEW.收回金额 - OLD.收回金额,
        余额 = 余额 + NEW.余额 - OLD.余额 WHERE 表名 = '借出';
END;
CREATE TRIGGER 借出_合计_删除 AFTER DELETE ON 借出 BEGIN
    UPDATE 借贷合计 SET 笔数 = 笔数 - 1, 金额 = 金额 - OLD.借出金额, 归还 = 归还 - OLD.收回金额,
        余额 = 余额 - OLD.余额 WHERE 表名 = '借出';
END;

CREATE TABLE 用户 (
    用户名 TEXT NOT NULL,
    密码   TEXT NOT NULL
);

CREATE TABLE flag (
    flag INTEGER NOT NULL DEFAULT 1 CHECK (flag IN (0, 1))
);

CREATE TABLE dlcount (
    dlcount INTEGER NOT NULL DEFAULT 0,
    startdd TEXT
);

-- Browsers list one kind by date range, newest first; the columns after id let their footers total
-- from the index alone without changing its order. Month totals read the date index alone. Listings
-- by Category and Subcategory come out in date order from the classification indexes, which carry
-- what their footers total too.
CREATE INDEX 收支表_类别_日期 ON 收支表 (收支类别, 日期, id, 收入金额, 支出金额);
CREATE INDEX 收支表_日期 ON 收支表 (日期, 收入金额, 支出金额);
CREATE INDEX 收支表_收入分类 ON 收支表 (收入项目, 收入名称, 日期, id, 收支类别, 收入金额);
CREATE INDEX 收支表_支出分类 ON 收支表 (支出项目, 支出名称, 日期, id, 收支类别, 支出金额);
CREATE INDEX 收支表_结算账户 ON 收支表 (结算账户);
-- The statistics add up one kind's entries of a month or a year for each Subcategory name: each
-- of these holds one kind's entries by name and date with the amount, so every sum reads one range.
CREATE INDEX 收支表_收入统计 ON 收支表 (收支类别, 收入名称, 日期, 收入金额) WHERE 收支类别 = '收入';
CREATE INDEX 收支表_支出统计 ON 收支表 (收支类别, 支出名称, 日期, 支出金额) WHERE 收支类别 = '支出';
CREATE INDEX 借入_日期 ON 借入 (日期);
CREATE INDEX 借出_日期 ON 借出 (日期);
CREATE INDEX 借入_结算账户 ON 借入 (结算账户);
CREATE INDEX 借出_结算账户 ON 借出 (结算账户);

-- A pristine ledger: the one user admin with the scramble of 302514, the welcome window on,
-- no logins yet.
INSERT INTO 用户 (用户名, 密码) VALUES ('admin', '491734371647320529814550151060');
INSERT INTO flag (flag) VALUES (1);
INSERT INTO dlcount (dlcount, startdd) VALUES (0, NULL);
