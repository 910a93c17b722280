// This file was translated at Mon Jan  1 00:00:00 2024
//  via sflc program written by kurotan

module m(m_clock, p_reset, a, b, s, e, k, bin, oct, sw, b3, part, cat, cat3, ext, ext2, ext3, ro, ra, rx, nx, sh, shr, cmp, lt, ne, mix, q);
   input m_clock;
   input p_reset;
   input [7:0] a;
   input [7:0] b;
   input [3:0] s;
   input e;
   output [7:0] k;
   output [3:0] bin;
   output [5:0] oct;
   output [9:0] sw;
   output b3;
   output [3:0] part;
   output [15:0] cat;
   output [12:0] cat3;
   output [15:0] ext;
   output [11:0] ext2;
   output [7:0] ext3;
   output ro;
   output ra;
   output rx;
   output [7:0] nx;
   output [7:0] sh;
   output [7:0] shr;
   output cmp;
   output lt;
   output ne;
   output [11:0] mix;
   output [9:0] q;
   reg [9:0] r;

   assign k = 8'h1F;

   assign bin = 4'b1010;

   assign oct = 6'o17;

   assign sw = {2'b01,8'h1F};

   assign b3 = a[3];

   assign part = a[7:4];

   assign cat = ({a,b});

   assign cat3 = ({{1'b1,8'h0F},a[3:0]});

   assign ext = ({{8{a[7]}},a});

   assign ext2 = ({{8{a[7]}},a[7:4]});

   assign ext3 = ({{7{e}},e});

   assign ro = (|a);

   assign ra = (&s);

   assign rx = (^b);

   assign nx = ((~a)^b);

   assign sh = (a<<2);

   assign shr = (a>>3);

   assign cmp = (a[3:0]==s);

   assign lt = (a<b);

   assign ne = (a!=b);

   assign mix = (({a[7:4],({s,s})})+({{8{b[3]}},b[3:0]}));

   assign q = r;

   always @(posedge m_clock or negedge p_reset) begin
      if (!p_reset) r <= 10'b0;
      else r <= ((r+10'b0000000001)&({{6{s[3]}},s}));
   end
endmodule
