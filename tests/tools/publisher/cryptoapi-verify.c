/* A test peer that runs on Windows (or under Wine): checks a signature with the
 * platform's own provider, exactly as the engine's check is specified.
 *   cryptoapi-verify <publickey.dat> <data> <signature.bin>
 * The signature is the raw provider byte order (least significant byte first).
 * Exit code: 0 valid, 1 the provider answers NTE_BAD_SIGNATURE, 2 anything else
 * (with the failing call on standard output, which the test shows). */
#include <windows.h>
#include <wincrypt.h>
#include <stdio.h>
#include <stdlib.h>

static BYTE* readAll(const char* path, DWORD* size) {
    FILE* file = fopen(path, "rb");
    BYTE* bytes = NULL;
    long length;
    if (!file) return NULL;
    if (fseek(file, 0, SEEK_END) == 0 && (length = ftell(file)) >= 0 && fseek(file, 0, SEEK_SET) == 0) {
        bytes = malloc(length ? (size_t)length : 1);
        if (bytes && fread(bytes, 1, (size_t)length, file) != (size_t)length) {
            free(bytes);
            bytes = NULL;
        }
        *size = (DWORD)length;
    }
    fclose(file);
    return bytes;
}

static int failed(const char* call) {
    printf("%s failed: 0x%08lx\n", call, (unsigned long)GetLastError());
    return 2;
}

static int verify(const BYTE* blob, DWORD blobSize, const BYTE* data, DWORD dataSize, const BYTE* signature,
                  DWORD signatureSize) {
    HCRYPTPROV provider = 0;
    HCRYPTKEY key = 0;
    HCRYPTHASH hash = 0;
    int result = 2;
    if (!CryptAcquireContextA(&provider, NULL, MS_DEF_PROV_A, PROV_RSA_FULL, CRYPT_VERIFYCONTEXT))
        return failed("CryptAcquireContext");
    if (!CryptImportKey(provider, blob, blobSize, 0, 0, &key)) {
        result = failed("CryptImportKey");
    } else if (!CryptCreateHash(provider, CALG_SHA1, 0, 0, &hash)) {
        result = failed("CryptCreateHash");
    } else if (!CryptHashData(hash, data, dataSize, 0)) {
        result = failed("CryptHashData");
    } else if (CryptVerifySignatureA(hash, signature, signatureSize, key, NULL, 0)) {
        result = 0;
    } else if (GetLastError() == (DWORD)NTE_BAD_SIGNATURE) {
        result = 1;
    } else {
        result = failed("CryptVerifySignature");
    }
    if (hash) CryptDestroyHash(hash);
    if (key) CryptDestroyKey(key);
    CryptReleaseContext(provider, 0);
    return result;
}

int main(int argc, char** argv) {
    DWORD blobSize = 0, dataSize = 0, signatureSize = 0;
    BYTE *blob, *data, *signature;
    if (argc != 4) {
        fprintf(stderr, "usage: cryptoapi-verify <publickey.dat> <data> <signature.bin>\n");
        return 2;
    }
    blob = readAll(argv[1], &blobSize);
    data = readAll(argv[2], &dataSize);
    signature = readAll(argv[3], &signatureSize);
    if (!blob || !data || !signature) {
        printf("could not read the input files\n");
        return 2;
    }
    return verify(blob, blobSize, data, dataSize, signature, signatureSize);
}
