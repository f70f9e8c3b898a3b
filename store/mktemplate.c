/* Build-time tool: turns the schema file into a pristine ledger database.
 * Usage: mktemplate SCHEMA.sql OUTPUT.ysn. The output is written beside under a temporary
 * name and renamed into place, so a failed run never leaves a half-built template. */
#include <sqlite3.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

static char* slurp(const char* path) {
    FILE* f = fopen(path, "rb");
    if (!f) return NULL;
    fseek(f, 0, SEEK_END);
    long n = ftell(f);
    fseek(f, 0, SEEK_SET);
    char* buf = malloc((size_t)n + 1);
    if (buf && fread(buf, 1, (size_t)n, f) != (size_t)n) {
        free(buf);
        buf = NULL;
    }
    fclose(f);
    if (buf) buf[n] = '\0';
    return buf;
}

int main(int argc, char** argv) {
    if (argc != 3) {
        fprintf(stderr, "usage: %s SCHEMA.sql OUTPUT.ysn\n", argv[0]);
        return 2;
    }
    char* sql = slurp(argv[1]);
    if (!sql) {
        fprintf(stderr, "mktemplate: cannot read %s\n", argv[1]);
        return 1;
    }
    size_t len = strlen(argv[2]);
    char* tmp = malloc(len + 5);
    memcpy(tmp, argv[2], len);
    memcpy(tmp + len, ".tmp", 5);
    remove(tmp);

    sqlite3* db = NULL;
    char* err = NULL;
    int rc = sqlite3_open(tmp, &db);
    if (rc == SQLITE_OK) rc = sqlite3_exec(db, "BEGIN", NULL, NULL, &err);
    if (rc == SQLITE_OK) rc = sqlite3_exec(db, sql, NULL, NULL, &err);
    if (rc == SQLITE_OK) rc = sqlite3_exec(db, "COMMIT", NULL, NULL, &err);
    if (rc == SQLITE_OK) rc = sqlite3_exec(db, "VACUUM", NULL, NULL, &err);
    if (rc != SQLITE_OK) {
        fprintf(stderr, "mktemplate: %s\n", err ? err : sqlite3_errmsg(db));
        sqlite3_free(err);
        sqlite3_close(db);
        remove(tmp);
        return 1;
    }
    sqlite3_close(db);
    if (rename(tmp, argv[2]) != 0) {
        perror("mktemplate: rename");
        return 1;
    }
    free(tmp);
    free(sql);
    return 0;
}
