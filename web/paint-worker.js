// Paints the playfield off the page's thread: the page hands over its canvas once, then each
// picture the scene uses (before the first scene that shows it) and a scene per display frame.
'use strict';
importScripts('painter.js');
const images = [];
let painter = null;
onmessage = ({ data }) => {
  if (data.canvas) painter = skyPainter(data.canvas.getContext('2d', { alpha: false }), (id) => images[id]);
  else if (data.image !== undefined) {
    const c = new OffscreenCanvas(data.w, data.h);
    c.getContext('2d').putImageData(new ImageData(data.pixels, data.w, data.h), 0, 0);
    images[data.image] = c;
  } else if (data.scene) painter.paint(data.scene, data.texts, data.pause);
  else if (data.tick) requestAnimationFrame(() => postMessage({ frame: true }));
  else if ('look' in data) postMessage({ look: painter.look(data.look) });
};
