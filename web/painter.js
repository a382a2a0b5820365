// Draws the core's scene on a 2-D canvas context: in the paint worker (paint-worker.js), or in
// the page itself where a canvas cannot be handed to a worker. The scene is the core's list of
// integers (see sky_scene in page.cpp): its length, paused, then the elements bottom up.
'use strict';
function skyPainter(ctx, image) {
  const kWidth = 669, kHeight = 515;
  const hex = (c) => '#' + (c & 0xffffff).toString(16).padStart(6, '0');
  const font = (pt, bold) => `${bold ? 'bold ' : ''}${Math.max(1, Math.round(pt * 96 / 72) - 1)}px "DejaVu Sans", Verdana, sans-serif`;
  let last = null, moved = 0, frames = 0;
  function paint(H, texts, pauseText) {
    const end = H[0];
    ctx.fillStyle = '#fff';
    ctx.fillRect(0, 0, kWidth, kHeight);
    for (let i = 2; i < end;) {
      switch (H[i]) {
        case 1: ctx.drawImage(image(H[i + 1]), H[i + 2], H[i + 3]); i += 4; break;
        case 2: {
          const [, round, l, t, w, h, filled, fill, bordered, border] = H.subarray(i, i + 10);
          i += 10;
          if (w <= 0 || h <= 0) break;
          ctx.beginPath();
          if (round) ctx.roundRect(l + 0.5, t + 0.5, w - 1, h - 1, Math.min(w, h) / 4);
          else ctx.rect(l + 0.5, t + 0.5, w - 1, h - 1);
          if (filled) { ctx.fillStyle = hex(fill); round ? ctx.fill() : ctx.fillRect(l, t, w, h); }
          if (bordered) { ctx.strokeStyle = hex(border); ctx.lineWidth = 1; ctx.stroke(); }
          break;
        }
        case 3: {
          const [, x1, y1, x2, y2, color, width] = H.subarray(i, i + 7);
          i += 7;
          const off = width % 2 ? 0.5 : 0;
          ctx.strokeStyle = hex(color); ctx.lineWidth = Math.max(1, width); ctx.lineCap = 'square';
          ctx.beginPath(); ctx.moveTo(x1 + off, y1 + off); ctx.lineTo(x2 + off, y2 + off); ctx.stroke();
          break;
        }
        case 4: {
          const [, l, t, w, h, color, align, pt, bold, text] = H.subarray(i, i + 10);
          i += 10;
          ctx.save();
          ctx.beginPath(); ctx.rect(l, t, w, h); ctx.clip();
          ctx.font = font(pt / 100, bold); ctx.fillStyle = hex(color); ctx.textBaseline = 'top';
          ctx.textAlign = ['left', 'center', 'right'][align];
          ctx.fillText(texts[text], [l, l + w / 2, l + w][align], t);
          ctx.restore();
          break;
        }
        default: i = end;
      }
    }
    if (H[1]) {  // paused: a dimmed band with the word over the scene
      const size = Math.max(24, Math.floor(kHeight / 7)), band = Math.floor(size * 1.5);
      ctx.fillStyle = 'rgba(0,0,0,0.47)';
      ctx.fillRect(0, (kHeight - band) >> 1, kWidth, band);
      ctx.font = `bold ${size}px "DejaVu Sans", sans-serif`; ctx.textAlign = 'center'; ctx.textBaseline = 'middle';
      ctx.lineWidth = Math.max(2, size / 12); ctx.strokeStyle = '#000'; ctx.fillStyle = '#fff'; ctx.lineJoin = 'round';
      ctx.strokeText(pauseText, kWidth / 2, kHeight / 2); ctx.fillText(pauseText, kWidth / 2, kHeight / 2);
    }
    if (frames > 0) {  // someone looks (the page's tests): did this frame change the picture?
      const now = ctx.getImageData(0, 0, kWidth, kHeight).data;
      if (last && now.some((v, i) => v !== last[i])) moved++;
      last = now;
      frames--;
    }
  }
  // What the picture shows now: how many shades of green, a checksum, on how many of the frames
  // watched so far it changed and how many are left to watch; given n, the next n are watched.
  function look(n) {
    const d = ctx.getImageData(0, 0, kWidth, kHeight).data;
    let sum = 0;
    for (let i = 0; i < d.length; i += 4) sum = (sum * 31 + d[i] + d[i + 1] * 7 + d[i + 2] * 13) >>> 0;
    const seen = { shades: new Set(d.filter((_, i) => i % 4 === 1)).size, sum, moved, left: frames };
    if (n) { last = null; moved = 0; frames = n; }
    return seen;
  }
  return { paint, look };
}
