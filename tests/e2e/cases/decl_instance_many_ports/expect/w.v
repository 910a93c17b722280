// This file was translated at Sun Dec  6 23:53:58 2026
//  via sflc program written by kurotan

module w(m_clock, p_reset, i, o, r, run);
   input m_clock;
   input p_reset;
   input [1:0] i;
   output o;
   output r;
   input run;
   wire [1:0] _u_p0;
   wire [1:0] _u_p1;
   wire [1:0] _u_p2;
   wire [1:0] _u_p3;
   wire [1:0] _u_p4;
   wire [1:0] _u_p5;
   wire [1:0] _u_p6;
   wire [1:0] _u_p7;
   wire [1:0] _u_p8;
   wire [1:0] _u_p9;
   wire [1:0] _u_p10;
   wire [1:0] _u_p11;
   wire [1:0] _u_p12;
   wire [1:0] _u_p13;
   wire [1:0] _u_p14;
   wire [1:0] _u_p15;
   wire [1:0] _u_p16;
   wire _u_q;
   wire _u_go;
   wide u(.m_clock(m_clock), .p_reset(p_reset), .p0(_u_p0), .p1(_u_p1), .p2(_u_p2), .p3(_u_p3), .p4(_u_p4), .p5(_u_p5), .p6(_u_p6), .p7(_u_p7), .p8(_u_p8), .p9(_u_p9), .p10(_u_p10), .p11(_u_p11), .p12(_u_p12), .p13(_u_p13), .p14(_u_p14), .p15(_u_p15), .p16(_u_p16), .q(_u_q), .go(_u_go));

   assign o = (((run))?_u_q:1'b0);

   assign r = _u_q;

   assign _u_p0 = (((run))?i:2'b0);

   assign _u_p5 = i;

   assign _u_p16 = (((run))?i:2'b0);

   assign _u_go = (((run))?1'b1:1'b0);
endmodule
