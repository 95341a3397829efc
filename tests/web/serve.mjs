// A tiny static file server for the browser checks: serves one folder on
// 127.0.0.1 only, on a free port, GET and HEAD only, never outside the folder,
// and any pages the checks make up (such as another site's page that frames
// the program).
//
// As a program: node serve.mjs <folder> [port]   (prints the address)
import { createServer } from 'node:http';
import { readFile, stat } from 'node:fs/promises';
import { extname, join, resolve, sep } from 'node:path';
import { fileURLToPath } from 'node:url';

const types = {
  '.html': 'text/html; charset=utf-8',
  '.js': 'text/javascript; charset=utf-8',
  '.mjs': 'text/javascript; charset=utf-8',
  '.wasm': 'application/wasm',
  '.css': 'text/css; charset=utf-8',
  '.png': 'image/png',
  '.ico': 'image/x-icon',
  '.json': 'application/json',
  '.svg': 'image/svg+xml',
  '.webmanifest': 'application/manifest+json',
};

// The file a request path names inside `root`, or null when it leaves it.
export function fileFor(root, urlPath) {
  let path;
  try {
    path = decodeURIComponent(urlPath.split('?')[0].split('#')[0]);
  } catch {
    return null;
  }
  if (path.includes('\0')) return null;
  if (path.endsWith('/')) path += 'index.html';
  const full = resolve(root, '.' + path);
  return full === root || full.startsWith(root + sep) ? full : null;
}

// Starts serving `folder`, and `pages` (request path to HTML text) before
// it; resolves to { url, close(), served }, served the paths of the files
// sent, in order.
export async function serve(folder, port = 0, pages = {}) {
  const root = resolve(folder);
  const served = [];
  const server = createServer(async (req, res) => {
    if (req.method !== 'GET' && req.method !== 'HEAD') {
      res.writeHead(405, { Allow: 'GET, HEAD' }).end();
      return;
    }
    const page = Object.hasOwn(pages, req.url) ? Buffer.from(pages[req.url]) : null;
    if (page) {
      res.writeHead(200, { 'Content-Type': types[extname(req.url)] ?? types['.html'],
                           'Content-Length': page.length,
                           'Cache-Control': 'no-store' });
      res.end(req.method === 'HEAD' ? undefined : page);
      return;
    }
    const file = fileFor(root, req.url ?? '/');
    if (file === null) {
      res.writeHead(400).end();
      return;
    }
    try {
      if (!(await stat(file)).isFile()) throw new Error('not a file');
      const body = await readFile(file);
      served.push(file.slice(root.length + 1));
      res.writeHead(200, {
        'Content-Type': types[extname(file)] ?? 'application/octet-stream',
        'Content-Length': body.length,
        'Cache-Control': 'no-store',
      });
      res.end(req.method === 'HEAD' ? undefined : body);
    } catch {
      res.writeHead(404, { 'Content-Type': 'text/plain' }).end('not found\n');
    }
  });
  await new Promise((ok, fail) => {
    server.once('error', fail);
    server.listen(port, '127.0.0.1', ok);
  });
  return {
    url: `http://127.0.0.1:${server.address().port}/`,
    served,
    close: () =>
      new Promise((ok) => {
        server.closeAllConnections();
        server.close(() => ok());
      }),
  };
}

if (process.argv[1] === fileURLToPath(import.meta.url)) {
  const [folder, port] = process.argv.slice(2);
  if (!folder) {
    console.error('usage: node serve.mjs <folder> [port]');
    process.exit(2);
  }
  const { url } = await serve(folder, Number(port ?? 0));
  console.log(`serving ${resolve(folder)} at ${url}`);
}
